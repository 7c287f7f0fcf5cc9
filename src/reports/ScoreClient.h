#pragma once

#include "platform/Error.h"

#include <QString>

namespace dvq3 {

class Session;

// Scores the session's current client and rewrites report.prn in the program folder:
// reads the scoring and report text files afresh, scores the answers, computes the percentiles
// and writes the report. Gives the report's path, or the message that stopped it: a faulty or
// missing data file, a damaged client record, or a report file that could not be written. On a
// fault the previous report.prn stays as it was, the scale results are cleared, and the client
// record is never changed.
[[nodiscard]] Result<QString> ScoreClient(const Session& session);

} // namespace dvq3
