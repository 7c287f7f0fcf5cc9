#include "scoring/ScoringTables.h"

#include "platform/ProgramFolder.h"
#include "scoring/DataFileReader.h"
#include "test/Questionnaire.h"

namespace dvq3 {

QString ReportTitle;
std::array<QString, kScaleSlots + 1> ScaleName;
std::array<QString, 5> RangeName;
std::array<std::array<QString, 3>, kStatusItems + 1> StatusText;
std::array<QString, kAbstinenceTexts + 1> AbstinenceText;
std::array<qint16, kStatusItems + 1> StatusItem;
std::array<std::array<QString, 5>, 6> ScoringKey;
std::array<std::array<qint16, kMaxScaleItems + 1>, kScaleSlots + 1> ScaleItems;
std::array<std::array<std::array<qint16, kNormScales + 1>, 4>, 3> NormMax;
std::array<std::array<std::array<std::array<qint16, 3>, 4>, kMaxNormRaw + 1>, kNormScales + 1>
    NormTable;
std::array<std::array<qint16, kMaxRatioBounds + 1>, 3> RatioBounds;
std::array<std::array<std::array<qint16, kMaxRatioIntervals + 1>, 4>, 3> RatioPercentile;
std::array<std::array<qint16, kTruthBands + 1>, 5> TruthCorrection;
std::array<QString, kScaleSlots + 1> NarrativeFile;

namespace {

// The report is 80 columns wide, and a scale name must end before the percentile's column 25.
constexpr int kReportWidth = 80;
constexpr int kMaxScaleName = 17;
constexpr int kMaxPercentile = 99;

// The values DVQ3B.TXT must hold that neither scoring nor the report uses.
constexpr int kUnusedBeforeCorrections = 42;
constexpr std::array<int, 4> kUnusedAfterCorrections = {9, 9, 12, 13};

// Reads one value into var, or gives up with the reader's fault.
#define READ_OR_RETURN(var, expr)                                                                  \
    auto var = (expr);                                                                             \
    if (!var)                                                                                      \
        return var.error();

QString NormName(int sex, int group, int scale) {
    return QStringLiteral("the norm table for sex %1, group %2, scale %3")
        .arg(sex)
        .arg(group)
        .arg(scale);
}

Status ReadReportTexts(DataFileReader& file) {
    READ_OR_RETURN(title, file.readString(QStringLiteral("the report title")));
    if (title.value().size() > kReportWidth)
        return file.fault(QStringLiteral("the report title is %1 characters long, wider than the "
                                         "%2-column report")
                              .arg(title.value().size())
                              .arg(kReportWidth));
    ReportTitle = title.value();
    for (int s = 1; s <= kScaleSlots; ++s) {
        READ_OR_RETURN(name, file.readString(QStringLiteral("scale name %1").arg(s)));
        // Only the reported scales are placed on the profile.
        if (s <= 2 && name.value().size() > kMaxScaleName)
            return file.fault(QStringLiteral("scale name %1 is %2 characters long; the profile "
                                             "has room for %3")
                                  .arg(s)
                                  .arg(name.value().size())
                                  .arg(kMaxScaleName));
        ScaleName[s] = name.value();
    }
    for (int r = 1; r <= 4; ++r) {
        READ_OR_RETURN(name, file.readString(QStringLiteral("range name %1").arg(r)));
        RangeName[r] = name.value();
    }
    for (int i = 1; i <= kStatusItems; ++i)
        for (int j = 1; j <= 2; ++j) {
            READ_OR_RETURN(
                line,
                file.readLine(
                    QStringLiteral("the statement of status item %1, answer %2").arg(i).arg(j)));
            StatusText[i][j] = line.value();
        }
    for (int k = 1; k <= kAbstinenceTexts; ++k) {
        READ_OR_RETURN(line, file.readLine(QStringLiteral("abstinence statement %1").arg(k)));
        AbstinenceText[k] = line.value();
    }
    return {};
}

Status ReadUnused(DataFileReader& file, int count, const QString& group) {
    for (int i = 1; i <= count; ++i) {
        READ_OR_RETURN(value, file.readInteger(QStringLiteral("value %1 of %2").arg(i).arg(group)));
    }
    return {};
}

Status ReadScoringData(DataFileReader& file) {
    for (int k = 1; k <= kStatusItems; ++k) {
        READ_OR_RETURN(item,
                       file.readBounded(QStringLiteral("the item number of status item %1").arg(k),
                                        1, kItemCount));
        StatusItem[k] = item.value();
    }

    for (int answer = 0; answer <= 2; ++answer) {
        const QString what = QStringLiteral("the section 1 points key for answer %1").arg(answer);
        READ_OR_RETURN(key, file.readString(what));
        for (QChar c : key.value())
            if (c < u'0' || c > u'9')
                return file.fault(
                    QStringLiteral("%1 holds \"%2\", which is not a digit").arg(what, c));
        ScoringKey[1][answer] = key.value();
    }

    for (int sex = 1; sex <= 2; ++sex)
        for (int group = 1; group <= 3; ++group)
            for (int scale = 1; scale <= kNormScales; ++scale) {
                const QString table = NormName(sex, group, scale);
                READ_OR_RETURN(count, file.readBounded(QStringLiteral("the count of ") + table, 0,
                                                       kMaxNormRaw));
                NormMax[sex][group][scale] = count.value();
                for (int raw = 1; raw <= count.value(); ++raw) {
                    READ_OR_RETURN(
                        pct, file.readBounded(QStringLiteral("the percentile of raw score %1 in %2")
                                                  .arg(raw)
                                                  .arg(table),
                                              0, kMaxPercentile));
                    NormTable[scale][raw][group][sex] = pct.value();
                }
            }

    std::array<std::array<int, 4>, 3> intervals{};
    for (int sex = 1; sex <= 2; ++sex)
        for (int group = 1; group <= 3; ++group) {
            const QString table = QStringLiteral("the scale 2 interval table for sex %1, group %2")
                                      .arg(sex)
                                      .arg(group);
            READ_OR_RETURN(count, file.readBounded(QStringLiteral("the count of ") + table, 0,
                                                   kMaxRatioIntervals));
            intervals[sex][group] = count.value();
            for (int k = 1; k <= count.value(); ++k) {
                READ_OR_RETURN(
                    pct,
                    file.readBounded(
                        QStringLiteral("the percentile of interval %1 in %2").arg(k).arg(table), 0,
                        kMaxPercentile));
                RatioPercentile[sex][group][k] = pct.value();
            }
        }

    for (int sex = 1; sex <= 2; ++sex) {
        const QString table = QStringLiteral("the scale 2 bound table for sex %1").arg(sex);
        READ_OR_RETURN(
            count, file.readBounded(QStringLiteral("the count of ") + table, 0, kMaxRatioBounds));
        RatioBounds[sex][0] = count.value();
        for (int k = 1; k <= count.value(); ++k) {
            READ_OR_RETURN(bound,
                           file.readInteger(QStringLiteral("bound %1 of %2").arg(k).arg(table)));
            if (k > 1 && bound.value() < RatioBounds[sex][k - 1])
                return file.fault(QStringLiteral("bound %1 of %2 is %3, below the bound before it")
                                      .arg(k)
                                      .arg(table)
                                      .arg(bound.value()));
            RatioBounds[sex][k] = bound.value();
        }
        // K bounds make K - 1 intervals, and each needs its percentile in every group.
        for (int group = 1; group <= 3; ++group)
            if (intervals[sex][group] < count.value() - 1)
                return file.fault(QStringLiteral("%1 makes %2 intervals, but the interval table "
                                                 "for sex %3, group %4 lists only %5")
                                      .arg(table)
                                      .arg(count.value() - 1)
                                      .arg(sex)
                                      .arg(group)
                                      .arg(intervals[sex][group]));
    }

    for (int slot : {1, 3, 5}) {
        const QString list = QStringLiteral("the item list of scale slot %1").arg(slot);
        READ_OR_RETURN(count,
                       file.readBounded(QStringLiteral("the count of ") + list, 0, kMaxScaleItems));
        ScaleItems[slot][0] = count.value();
        for (int k = 1; k <= count.value(); ++k) {
            READ_OR_RETURN(item, file.readBounded(QStringLiteral("item %1 of %2").arg(k).arg(list),
                                                  1, kItemCount));
            ScaleItems[slot][k] = item.value();
        }
    }

    if (auto unused = ReadUnused(file, kUnusedBeforeCorrections,
                                 QStringLiteral("the values before the truth corrections"));
        !unused)
        return unused;
    for (int scale = 2; scale <= 4; ++scale)
        for (int band = 1; band <= kTruthBands; ++band) {
            READ_OR_RETURN(
                points, file.readInteger(QStringLiteral("the truth correction of scale %1, band %2")
                                             .arg(scale)
                                             .arg(band)));
            TruthCorrection[scale][band] = points.value();
        }
    for (std::size_t g = 0; g < kUnusedAfterCorrections.size(); ++g)
        if (auto unused =
                ReadUnused(file, kUnusedAfterCorrections[g],
                           QStringLiteral("group %1 after the truth corrections").arg(g + 1));
            !unused)
            return unused;
    return {};
}

// The lists that the sections determine, whatever the file held.
void FixSectionLists() {
    const auto fill = [](int slot, int section) {
        auto& list = ScaleItems[slot];
        list.fill(0);
        int count = 0;
        for (int item = SectionStart[section - 1] + 1; item <= SectionStart[section]; ++item)
            list[++count] = static_cast<qint16>(item);
        list[0] = static_cast<qint16>(count);
    };
    fill(5, 2);
    fill(6, 3);
    fill(2, 4);
}

#undef READ_OR_RETURN

} // namespace

void ResetScoringTables() {
    ReportTitle.clear();
    ScaleName.fill({});
    RangeName.fill({});
    StatusText.fill({});
    AbstinenceText.fill({});
    StatusItem.fill(0);
    ScoringKey.fill({});
    ScaleItems = {};
    NormMax = {};
    NormTable = {};
    RatioBounds = {};
    RatioPercentile = {};
    TruthCorrection = {};
    NarrativeFile.fill({});
}

Status LoadScoringTables() {
    ResetScoringTables();
    const auto load = []() -> Status {
        auto report = DataFileReader::Open(ProgramFile(QStringLiteral("DVQ3RPT.TXT")));
        if (!report)
            return report.error();
        DataFileReader reportFile = report.value();
        if (auto texts = ReadReportTexts(reportFile); !texts)
            return texts;
        auto scoring = DataFileReader::Open(ProgramFile(QStringLiteral("DVQ3B.TXT")));
        if (!scoring)
            return scoring.error();
        DataFileReader scoringFile = scoring.value();
        return ReadScoringData(scoringFile);
    };
    if (auto loaded = load(); !loaded) {
        // No half-read table may outlive a faulty file.
        ResetScoringTables();
        return loaded;
    }
    FixSectionLists();
    const char* const names[] = {"DVQ3VA.TXT", "DVQ3SC.TXT", "DVQ2AL.TXT",
                                 "DVQ2DG.TXT", "DVQ2CL.TXT", "DVQ2CH.TXT"};
    for (int s = 1; s <= kScaleSlots; ++s)
        NarrativeFile[s] = ProgramFile(QString::fromLatin1(names[s - 1]));
    return {};
}

} // namespace dvq3
