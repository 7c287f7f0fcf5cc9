#pragma once

#include "platform/Error.h"
#include "records/ClientRecord.h"

#include <QString>

#include <array>

namespace dvq3 {

// The scored client, rebuilt by every ScoreClient: copied client fields, answers, and the results
// per scale slot 1..6 (only slots 1 and 2 are scored; slot 0 holds nothing).
extern std::array<qint16, 6> MaxAnswerCode; // per section 1..5: highest answer code
extern std::array<QString, 10> ReportField; // 1..9: name .. licence number
extern std::array<QString, 4> ArrestText;   // 1 DUI/DWI, 2 alcohol, 3 drug arrests
extern std::array<qint16, 101> Answer;      // 1..100: answer code, 0 omitted
extern std::array<qint16, 101> ItemPoints;  // points item i earned for scale 1
extern std::array<qint16, 7> RawScore;
extern std::array<qint16, 7> DeviantCount; // scored items that earned a point
extern std::array<qint16, 6> OmitCount;    // index slot - 1
extern std::array<qint16, 7> Percentile;   // final percentile, 0..99
// The percentile as looked up, before a truthfulness percentile of 95 or more forces 99. That
// early end leaves slots 2..6 as the previous client left them.
extern std::array<qint16, 7> UncorrectedPercentile;
extern qint16 NormSex;   // 1 male (also for code 0), 2 female
extern qint16 NormGroup; // 1 white (also Asian, Native American, other, not given), 2, 3

// Back to the state before any client was scored (tests).
void ResetScoringState();

// The steps of scoring, in the order ScoreClient runs them.
void SetReportLabels();
// Copies the current client's fields and answers. Refuses a record whose demographic codes
// have no name or whose answers exceed their section's codes: such a record is damaged, and a
// report would show made-up values.
[[nodiscard]] Status GetClientData(const ClientRecord& record, int client);
void ScoreScales();
// Refuses a truth correction that takes a raw score out of 16 bits.
[[nodiscard]] Status ComputePercentiles();

// The numeric value of a one-digit code field: 0 for a blank field, -1 when it is not a digit.
int CodeValue(const QString& field);

} // namespace dvq3
