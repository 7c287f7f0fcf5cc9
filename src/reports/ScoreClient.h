#pragma once

#include "platform/DriveError.h"

#include <QString>

namespace dvq3 {

// Scores the current client (Clients[CurClient]) and rewrites report.prn in the program folder:
// reads the scoring and report text files afresh, scores the answers, computes the percentiles
// and writes the report. Gives the report's path, or the message that stopped it: a faulty or
// missing data file, a damaged client record, or a report file that could not be written. On a
// fault the previous report.prn stays as it was, the scale results are cleared, and the client
// record is never changed.
[[nodiscard]] Result<QString> ScoreClient();

} // namespace dvq3
