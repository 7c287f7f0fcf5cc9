#pragma once

#include "platform/Error.h"

#include <QString>

#include <array>

namespace dvq3 {

// Bounds of the tables read from the scoring data file (arrays are indexed from 1 where the
// file counts from 1; index 0 of a list holds its count).
inline constexpr int kScaleSlots = 6;  // scale slots 1..6; only 1 and 2 are scored
inline constexpr int kNormScales = 5;  // norm tables per sex and group
inline constexpr int kMaxNormRaw = 92; // highest raw score a norm table can list
inline constexpr int kMaxScaleItems = 32;
inline constexpr int kMaxRatioBounds = 56;
inline constexpr int kMaxRatioIntervals = 55;
inline constexpr int kStatusItems = 12;     // 1..6 alcohol column, 7..12 drugs column
inline constexpr int kAbstinenceTexts = 28; // four answers of each of items 94..100
inline constexpr int kTruthBands = 5;

// Report text file DVQ3RPT.TXT.
extern QString ReportTitle;
extern std::array<QString, kScaleSlots + 1> ScaleName;
extern std::array<QString, 5> RangeName; // 1 low, 2 medium, 3 problem, 4 maximum risk
extern std::array<std::array<QString, 3>, kStatusItems + 1> StatusText; // (item, answer 1..2)
extern std::array<QString, kAbstinenceTexts + 1> AbstinenceText;

// Scoring data file DVQ3B.TXT.
extern std::array<qint16, kStatusItems + 1> StatusItem;
// ScoringKey[section][answer]: character p is the points of the section's p-th item. Only the
// section 1 keys for answers 0..2 are in the file; the others stay empty and score 0.
extern std::array<std::array<QString, 5>, 6> ScoringKey;
// ScaleItems[slot][0] is the count, [slot][1..] the item numbers.
extern std::array<std::array<qint16, kMaxScaleItems + 1>, kScaleSlots + 1> ScaleItems;
// NormMax[sex][group][scale]: highest raw score listed in that norm table.
extern std::array<std::array<std::array<qint16, kNormScales + 1>, 4>, 3> NormMax;
// NormTable[scale][raw][group][sex]: percentile of a raw score.
extern std::array<std::array<std::array<std::array<qint16, 3>, 4>, kMaxNormRaw + 1>,
                  kNormScales + 1>
    NormTable;
// RatioBounds[sex][0] is the count K, [sex][1..K] the ascending bounds of scale 2's intervals.
extern std::array<std::array<qint16, kMaxRatioBounds + 1>, 3> RatioBounds;
// RatioPercentile[sex][group][k]: percentile of interval k of scale 2.
extern std::array<std::array<std::array<qint16, kMaxRatioIntervals + 1>, 4>, 3> RatioPercentile;
// TruthCorrection[scale 2..4][band 1..5]: raw points added for a truthfulness band.
extern std::array<std::array<qint16, kTruthBands + 1>, 5> TruthCorrection;
// Narrative files of scale slots 1..6 (paths in the program folder); only 1 and 2 are read.
extern std::array<QString, kScaleSlots + 1> NarrativeFile;

// Reads DVQ3RPT.TXT, then DVQ3B.TXT, into the tables above, and fixes the item lists that the
// questionnaire's sections determine. On a fault the tables are left empty and the message
// names the file and what is wrong with it.
[[nodiscard]] Status LoadScoringTables();

// Empties every table (tests, and before each load).
void ResetScoringTables();

} // namespace dvq3
