#pragma once

#include "platform/Error.h"
#include "scoring/NarrativeReader.h"

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
inline constexpr int kReportedScales = 2; // the scales with a narrative on the report

// Everything a report is made from besides the client: the report text file, the scoring data
// file and the narrative and invalid-profile texts. Loaded once, it scores any number of clients.
struct ScoringTables {
    // Report text file DVQ3RPT.TXT.
    QString ReportTitle;
    std::array<QString, kScaleSlots + 1> ScaleName;
    std::array<QString, 5> RangeName; // 1 low, 2 medium, 3 problem, 4 maximum risk
    std::array<std::array<QString, 3>, kStatusItems + 1> StatusText; // (item, answer 1..2)
    std::array<QString, kAbstinenceTexts + 1> AbstinenceText;

    // Scoring data file DVQ3B.TXT.
    std::array<qint16, kStatusItems + 1> StatusItem{};
    // ScoringKey[section][answer]: character p is the points of the section's p-th item. Only
    // the section 1 keys for answers 0..2 are in the file; the others stay empty and score 0.
    std::array<std::array<QString, 5>, 6> ScoringKey;
    // ScaleItems[slot][0] is the count, [slot][1..] the item numbers.
    std::array<std::array<qint16, kMaxScaleItems + 1>, kScaleSlots + 1> ScaleItems{};
    // NormMax[sex][group][scale]: highest raw score listed in that norm table.
    std::array<std::array<std::array<qint16, kNormScales + 1>, 4>, 3> NormMax{};
    // NormTable[scale][raw][group][sex]: percentile of a raw score.
    std::array<std::array<std::array<std::array<qint16, 3>, 4>, kMaxNormRaw + 1>, kNormScales + 1>
        NormTable{};
    // RatioBounds[sex][0] is the count K, [sex][1..K] the ascending bounds of scale 2's intervals.
    std::array<std::array<qint16, kMaxRatioBounds + 1>, 3> RatioBounds{};
    // RatioPercentile[sex][group][k]: percentile of interval k of scale 2.
    std::array<std::array<std::array<qint16, kMaxRatioIntervals + 1>, 4>, 3> RatioPercentile{};
    // TruthCorrection[scale 2..4][band 1..5]: raw points added for a truthfulness band.
    std::array<std::array<qint16, kTruthBands + 1>, 5> TruthCorrection{};

    // Narrative files of scale slots 1..6 (paths in the program folder); only 1 and 2 are read.
    std::array<QString, kScaleSlots + 1> NarrativeFile;
    // The narratives of the reported scales and the invalid-profile text, as read.
    std::array<TextFile, kReportedScales + 1> NarrativeText;
    TextFile InvalidProfileText;
};

// Reads DVQ3RPT.TXT, then DVQ3B.TXT, of folder, fixes the item lists that the questionnaire's
// sections determine, and reads the narrative and invalid-profile files. A fault of the first
// two stops the load with a message naming the file and what is wrong with it; a fault of the
// others is kept for the report that needs the file.
[[nodiscard]] Result<ScoringTables> LoadScoringTables(const QString& folder);

} // namespace dvq3
