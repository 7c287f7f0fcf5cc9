#pragma once

#include "platform/Error.h"
#include "scoring/ScoringTables.h"
#include "station/ClientRecord.h"

#include <QString>

namespace dvq3 {

class Session;

// Scores record as client testNumber with tables and rewrites report.prn in the program folder.
// Gives the report's path, or the message that stopped it: a damaged client record, a missing
// narrative or invalid-profile text, or a report file that could not be written. On a fault
// the previous report.prn stays as it was; the record is never changed.
[[nodiscard]] Result<QString> ScoreClient(const ClientRecord& record, int testNumber,
                                          const ScoringTables& tables);

// The same for the session's current client, which must be a stored client or the new one.
[[nodiscard]] Result<QString> ScoreClient(const Session& session, const ScoringTables& tables);

// The same, reading the scoring and report text files of the program folder first (one report;
// several reports read the tables once and use the call above).
[[nodiscard]] Result<QString> ScoreClient(const Session& session);

// The tables of the program folder.
[[nodiscard]] Result<ScoringTables> LoadProgramScoringTables();

} // namespace dvq3
