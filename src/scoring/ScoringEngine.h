#pragma once

#include "platform/Error.h"
#include "scoring/ScoringTables.h"
#include "station/ClientRecord.h"

#include <QString>

#include <array>

namespace dvq3 {

// Per section 1..5: the highest answer code.
inline constexpr std::array<qint16, 6> MaxAnswerCode = {0, 2, 4, 4, 4, 4};

// One scored client: the copied client fields and answers, and the results per scale slot 1..6
// (only slots 1 and 2 are scored; slot 0 holds nothing).
struct Scores {
    std::array<QString, 10> ReportField;  // 1..9: name .. licence number
    std::array<QString, 4> ArrestText;    // 1 DUI/DWI, 2 alcohol, 3 drug arrests
    std::array<qint16, 101> Answer{};     // 1..100: answer code, 0 omitted
    std::array<qint16, 101> ItemPoints{}; // points item i earned for scale 1
    std::array<qint16, 7> RawScore{};
    std::array<qint16, 7> DeviantCount{}; // scored items that earned a point
    std::array<qint16, 6> OmitCount{};    // index slot - 1
    std::array<qint16, 7> Percentile{};   // final percentile, 0..99
    // The percentile as looked up, before a truthfulness percentile of 95 or more forces 99
    // (slots the early end leaves unlooked-up stay 0).
    std::array<qint16, 7> UncorrectedPercentile{};
    qint16 NormSex = 1;   // 1 male (also for code 0), 2 female
    qint16 NormGroup = 1; // 1 white (also Asian, Native American, other, not given), 2, 3
};

// Scores record, client number client of the data disk (for messages), with tables. Refuses a
// record whose demographic codes have no name or whose answers exceed their section's codes
// (such a record is damaged, and a report would show made-up values), tables whose item
// numbers or counts lie outside their arrays, and a truth correction that takes a raw score out
// of 16 bits.
[[nodiscard]] Result<Scores> Score(const ClientRecord& record, int client,
                                   const ScoringTables& tables);

// The steps of Score, in order.
[[nodiscard]] Status GetClientData(const ClientRecord& record, int client, Scores& scores);
[[nodiscard]] Status ScoreScales(Scores& scores, const ScoringTables& tables);
[[nodiscard]] Status ComputePercentiles(Scores& scores, const ScoringTables& tables);

// Refuses tables whose item numbers or counts would index outside an array: the loader keeps
// them in bounds, but the tables are a value any caller can fill.
[[nodiscard]] Status CheckTableIndexes(const ScoringTables& tables);

// The numeric value of a one-digit code field: 0 for a blank field, -1 when it is not a digit.
int CodeValue(const QString& field);

} // namespace dvq3
