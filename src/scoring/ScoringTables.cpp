#include "scoring/ScoringTables.h"

#include "scoring/DataFileReader.h"
#include "station/Questionnaire.h"

namespace dvq3 {

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

Status ReadReportTexts(DataFileReader& file, ScoringTables& t) {
    READ_OR_RETURN(title, file.readString("the report title"));
    if (title.value().size() > kReportWidth)
        return file.fault(QStringLiteral("the report title is %1 characters long, wider than the "
                                         "%2-column report")
                              .arg(title.value().size())
                              .arg(kReportWidth));
    t.ReportTitle = title.value();
    for (int s = 1; s <= kScaleSlots; ++s) {
        READ_OR_RETURN(name, file.readString({"scale name %1", {s}}));
        // Only the reported scales are placed on the profile.
        if (s <= 2 && name.value().size() > kMaxScaleName)
            return file.fault(QStringLiteral("scale name %1 is %2 characters long; the profile "
                                             "has room for %3")
                                  .arg(s)
                                  .arg(name.value().size())
                                  .arg(kMaxScaleName));
        t.ScaleName[s] = name.value();
    }
    for (int r = 1; r <= 4; ++r) {
        READ_OR_RETURN(name, file.readString({"range name %1", {r}}));
        t.RangeName[r] = name.value();
    }
    for (int i = 1; i <= kStatusItems; ++i)
        for (int j = 1; j <= 2; ++j) {
            READ_OR_RETURN(line,
                           file.readLine({"the statement of status item %1, answer %2", {i, j}}));
            t.StatusText[i][j] = line.value();
        }
    for (int k = 1; k <= kAbstinenceTexts; ++k) {
        READ_OR_RETURN(line, file.readLine({"abstinence statement %1", {k}}));
        t.AbstinenceText[k] = line.value();
    }
    return {};
}

// group 0 names the values before the truth corrections, 1.. the groups after them.
Status ReadUnused(DataFileReader& file, int count, int group) {
    for (int i = 1; i <= count; ++i) {
        READ_OR_RETURN(value, group == 0 ? file.readInteger({"value %1 of the values before the "
                                                             "truth corrections",
                                                             {i}})
                                         : file.readInteger({"value %1 of group %2 after the "
                                                             "truth corrections",
                                                             {i, group}}));
    }
    return {};
}

Status ReadScoringData(DataFileReader& file, ScoringTables& t) {
    for (int k = 1; k <= kStatusItems; ++k) {
        READ_OR_RETURN(item,
                       file.readBounded({"the item number of status item %1", {k}}, 1, kItemCount));
        t.StatusItem[k] = item.value();
    }

    for (int answer = 0; answer <= 2; ++answer) {
        const ValueName what("the section 1 points key for answer %1", {answer});
        READ_OR_RETURN(key, file.readString(what));
        for (QChar c : key.value())
            if (c < u'0' || c > u'9')
                return file.fault(
                    QStringLiteral("%1 holds \"%2\", which is not a digit").arg(what.text(), c));
        t.ScoringKey[1][answer] = key.value();
    }

    for (int sex = 1; sex <= 2; ++sex)
        for (int group = 1; group <= 3; ++group)
            for (int scale = 1; scale <= kNormScales; ++scale) {
                READ_OR_RETURN(count,
                               file.readBounded({"the count of the norm table for sex %1, group "
                                                 "%2, scale %3",
                                                 {sex, group, scale}},
                                                0, kMaxNormRaw));
                t.NormMax[sex][group][scale] = count.value();
                for (int raw = 1; raw <= count.value(); ++raw) {
                    READ_OR_RETURN(pct, file.readBounded({"the percentile of raw score %1 in the "
                                                          "norm table for sex %2, group %3, "
                                                          "scale %4",
                                                          {raw, sex, group, scale}},
                                                         0, kMaxPercentile));
                    t.NormTable[scale][raw][group][sex] = pct.value();
                }
            }

    std::array<std::array<int, 4>, 3> intervals{};
    for (int sex = 1; sex <= 2; ++sex)
        for (int group = 1; group <= 3; ++group) {
            READ_OR_RETURN(
                count,
                file.readBounded(
                    {"the count of the scale 2 interval table for sex %1, group %2", {sex, group}},
                    0, kMaxRatioIntervals));
            intervals[sex][group] = count.value();
            for (int k = 1; k <= count.value(); ++k) {
                READ_OR_RETURN(pct, file.readBounded({"the percentile of interval %1 in the scale "
                                                      "2 interval table for sex %2, group %3",
                                                      {k, sex, group}},
                                                     0, kMaxPercentile));
                t.RatioPercentile[sex][group][k] = pct.value();
            }
        }

    for (int sex = 1; sex <= 2; ++sex) {
        const QString table = QStringLiteral("the scale 2 bound table for sex %1");
        READ_OR_RETURN(count,
                       file.readBounded({"the count of the scale 2 bound table for sex %1", {sex}},
                                        0, kMaxRatioBounds));
        auto& bounds = t.RatioBounds[sex];
        bounds[0] = count.value();
        for (int k = 1; k <= count.value(); ++k) {
            READ_OR_RETURN(
                bound,
                file.readInteger({"bound %1 of the scale 2 bound table for sex %2", {k, sex}}));
            if (k > 1 && bound.value() < bounds[k - 1])
                return file.fault(QStringLiteral("bound %1 of %2 is %3, below the bound before it")
                                      .arg(k)
                                      .arg(table.arg(sex))
                                      .arg(bound.value()));
            bounds[k] = bound.value();
        }
        // K bounds make K - 1 intervals, and each needs its percentile in every group.
        for (int group = 1; group <= 3; ++group)
            if (intervals[sex][group] < count.value() - 1)
                return file.fault(QStringLiteral("%1 makes %2 intervals, but the interval table "
                                                 "for sex %3, group %4 lists only %5")
                                      .arg(table.arg(sex))
                                      .arg(count.value() - 1)
                                      .arg(sex)
                                      .arg(group)
                                      .arg(intervals[sex][group]));
    }

    for (int slot : {1, 3, 5}) {
        READ_OR_RETURN(count,
                       file.readBounded({"the count of the item list of scale slot %1", {slot}}, 0,
                                        kMaxScaleItems));
        t.ScaleItems[slot][0] = count.value();
        for (int k = 1; k <= count.value(); ++k) {
            READ_OR_RETURN(
                item, file.readBounded({"item %1 of the item list of scale slot %2", {k, slot}}, 1,
                                       kItemCount));
            t.ScaleItems[slot][k] = item.value();
        }
    }

    if (auto unused = ReadUnused(file, kUnusedBeforeCorrections, 0); !unused)
        return unused;
    for (int scale = 2; scale <= 4; ++scale)
        for (int band = 1; band <= kTruthBands; ++band) {
            READ_OR_RETURN(points, file.readInteger({"the truth correction of scale %1, band %2",
                                                     {scale, band}}));
            t.TruthCorrection[scale][band] = points.value();
        }
    for (std::size_t g = 0; g < kUnusedAfterCorrections.size(); ++g)
        if (auto unused = ReadUnused(file, kUnusedAfterCorrections[g], static_cast<int>(g) + 1);
            !unused)
            return unused;
    return {};
}

// The lists that the sections determine, whatever the file held.
void FixSectionLists(ScoringTables& t) {
    const auto fill = [&t](int slot, int section) {
        auto& list = t.ScaleItems[slot];
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

Result<ScoringTables> LoadScoringTables(const QString& folder) {
    auto report = DataFileReader::Open(folder + QStringLiteral("/DVQ3RPT.TXT"));
    if (!report)
        return report.error();
    ScoringTables t;
    DataFileReader reportFile = std::move(report).value();
    if (auto texts = ReadReportTexts(reportFile, t); !texts)
        return texts.error();
    // The scoring data file is opened only once the report text file has been read.
    auto scoring = DataFileReader::Open(folder + QStringLiteral("/DVQ3B.TXT"));
    if (!scoring)
        return scoring.error();
    DataFileReader scoringFile = std::move(scoring).value();
    if (auto data = ReadScoringData(scoringFile, t); !data)
        return data.error();
    FixSectionLists(t);
    const char* const names[] = {"DVQ3VA.TXT", "DVQ3SC.TXT", "DVQ2AL.TXT",
                                 "DVQ2DG.TXT", "DVQ2CL.TXT", "DVQ2CH.TXT"};
    for (int s = 1; s <= kScaleSlots; ++s)
        t.NarrativeFile[s] = folder + u'/' + QString::fromLatin1(names[s - 1]);
    for (int s = 1; s <= kReportedScales; ++s)
        t.NarrativeText[s] = LoadTextFile(t.NarrativeFile[s]);
    t.InvalidProfileText = LoadTextFile(folder + QStringLiteral("/INVAL.TXT"));
    return t;
}

} // namespace dvq3
