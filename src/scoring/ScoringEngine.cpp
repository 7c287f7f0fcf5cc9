#include "scoring/ScoringEngine.h"

#include "scoring/DataFileReader.h"
#include "station/CodeTables.h"
#include "station/Questionnaire.h"

#include <limits>

namespace dvq3 {

namespace {

// Stress items of section 4 (an omitted one counts 1) and coping items (an omitted one counts 4).
constexpr std::array<int, 8> kStressItems = {78, 79, 81, 83, 84, 86, 87, 90};
constexpr std::array<int, 8> kCopingItems = {80, 82, 85, 88, 89, 91, 92, 93};
// Scale 2 always takes the truth correction: its deviant count stands above the threshold of 2.
constexpr qint16 kScale2Deviants = 9;

QString RecordProblem(int client, const QString& problem) {
    return QStringLiteral("the record of client %1 %2.").arg(client).arg(problem);
}

// Checks a demographic code against its name table.
template <std::size_t N>
Status CheckCode(int client, const QString& field, const std::array<QString, N>& names,
                 const char* what) {
    const int code = CodeValue(field);
    if (code < 0 || code >= static_cast<int>(N) || names[code].isEmpty())
        return ScoringFault(
            RecordProblem(client, QStringLiteral("holds %1 code \"%2\", which is not one of "
                                                 "the codes 0 to %3")
                                      .arg(QString::fromLatin1(what), field.trimmed())
                                      .arg(N - 1)));
    return {};
}

int DigitValue(QChar c) {
    return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : 0;
}

// Raw score plus a truth correction, refused when it leaves 16 bits.
Status AddCorrection(Scores& r, const ScoringTables& t, int scale, int band) {
    const int points = scale <= 4 ? t.TruthCorrection[scale][band] : 0;
    const int sum = r.RawScore[scale] + points;
    if (sum < std::numeric_limits<qint16>::min() || sum > std::numeric_limits<qint16>::max())
        return ScoringFault(QStringLiteral("DVQ3B.TXT: the truth correction of scale %1, band %2 "
                                           "(%3) takes the raw score %4 out of range.")
                                .arg(scale)
                                .arg(band)
                                .arg(points)
                                .arg(r.RawScore[scale]));
    r.RawScore[scale] = static_cast<qint16>(sum);
    return {};
}

Error TableFault(const QString& what, int value, int low, int high) {
    return ScoringFault(QStringLiteral("DVQ3B.TXT: %1 is %2, outside %3 to %4.")
                            .arg(what)
                            .arg(value)
                            .arg(low)
                            .arg(high));
}

} // namespace

Status CheckTableIndexes(const ScoringTables& t) {
    for (int k = 1; k <= kStatusItems; ++k)
        if (!InRange(t.StatusItem[k], 1, kItemCount))
            return TableFault(QStringLiteral("the item number of status item %1").arg(k),
                              t.StatusItem[k], 1, kItemCount);
    const auto& items = t.ScaleItems[1];
    if (!InRange(items[0], 0, kMaxScaleItems))
        return TableFault(QStringLiteral("the count of the item list of scale slot 1"), items[0], 0,
                          kMaxScaleItems);
    for (int k = 1; k <= items[0]; ++k)
        if (!InRange(items[k], 1, kItemCount))
            return TableFault(QStringLiteral("item %1 of the item list of scale slot 1").arg(k),
                              items[k], 1, kItemCount);
    for (int sex = 1; sex <= 2; ++sex) {
        if (!InRange(t.RatioBounds[sex][0], 0, kMaxRatioBounds))
            return TableFault(
                QStringLiteral("the count of the scale 2 bound table for sex %1").arg(sex),
                t.RatioBounds[sex][0], 0, kMaxRatioBounds);
        for (int group = 1; group <= 3; ++group)
            for (int scale = 1; scale <= kNormScales; ++scale)
                if (t.NormMax[sex][group][scale] > kMaxNormRaw)
                    return TableFault(QStringLiteral("the count of the norm table for sex %1, "
                                                     "group %2, scale %3")
                                          .arg(sex)
                                          .arg(group)
                                          .arg(scale),
                                      t.NormMax[sex][group][scale], 0, kMaxNormRaw);
    }
    return {};
}

int CodeValue(const QString& field) {
    const QString code = field.trimmed();
    if (code.isEmpty())
        return 0;
    if (code.size() != 1 || code[0] < u'0' || code[0] > u'9')
        return -1;
    return code[0].unicode() - u'0';
}

Status GetClientData(const ClientRecord& record, int client, Scores& r) {
    auto& ReportField = r.ReportField;
    auto& Answer = r.Answer;
    ReportField[1] = record.Name;
    ReportField[2] = record.Age;
    ReportField[3] = record.Gender;
    ReportField[4] = record.DOB;
    ReportField[5] = record.Education;
    ReportField[6] = record.Race;
    ReportField[7] = record.Marital;
    ReportField[8] = record.RecordDate;
    ReportField[9] = record.DL.trimmed();
    r.ArrestText[1] = record.DUIArrests;
    r.ArrestText[2] = record.AlcoholArrests;
    r.ArrestText[3] = record.DrugArrests;

    if (auto ok = CheckCode(client, ReportField[3], GenderNames, "sex"); !ok)
        return ok;
    if (auto ok = CheckCode(client, ReportField[5], EducationNames, "education"); !ok)
        return ok;
    if (auto ok = CheckCode(client, ReportField[6], RaceNames, "ethnicity/race"); !ok)
        return ok;
    if (auto ok = CheckCode(client, ReportField[7], MaritalNames, "marital status"); !ok)
        return ok;

    for (int i = 1; i <= kItemCount; ++i) {
        Answer[i] = static_cast<qint16>(
            i <= record.Responses.size() ? DigitValue(record.Responses[i - 1]) : 0);
        const int section = SectionOfItem(i);
        if (Answer[i] > MaxAnswerCode[section])
            return ScoringFault(
                RecordProblem(client, QStringLiteral("holds answer %1 for item %2, but the "
                                                     "items %3 to %4 take answers 0 to %5")
                                          .arg(Answer[i])
                                          .arg(i)
                                          .arg(SectionStart[section - 1] + 1)
                                          .arg(SectionStart[section])
                                          .arg(MaxAnswerCode[section])));
    }
    return {};
}

Status ScoreScales(Scores& r, const ScoringTables& t) {
    if (auto checked = CheckTableIndexes(t); !checked)
        return checked;
    const auto& Answer = r.Answer;
    auto& RawScore = r.RawScore;
    auto& OmitCount = r.OmitCount;
    auto& DeviantCount = r.DeviantCount;
    auto& ItemPoints = r.ItemPoints;
    for (int s = 1; s <= kScaleSlots; ++s) {
        OmitCount[s - 1] = 0;
        RawScore[s] = 0;
        r.Percentile[s] = 0;
        DeviantCount[s] = 0;
    }

    for (int k = 1; k <= t.ScaleItems[1][0]; ++k) {
        const int item = t.ScaleItems[1][k];
        const int section = SectionOfItem(item);
        const int position = item - SectionStart[section - 1];
        if (Answer[item] == 0)
            ++OmitCount[0];
        const QString& key = t.ScoringKey[section][Answer[item]];
        ItemPoints[item] =
            static_cast<qint16>(position <= key.size() ? DigitValue(key[position - 1]) : 0);
        RawScore[1] = static_cast<qint16>(RawScore[1] + ItemPoints[item]);
        if (ItemPoints[item] > 0)
            ++DeviantCount[1];
    }

    DeviantCount[2] = kScale2Deviants;

    for (int item = SectionStart[3] + 1; item <= SectionStart[4]; ++item)
        if (Answer[item] == 0)
            ++OmitCount[1];
    int sumA = 0;
    for (int item : kStressItems)
        sumA += Answer[item] == 0 ? 1 : Answer[item];
    int sumB = 0;
    for (int item : kCopingItems)
        sumB += Answer[item] == 0 ? 4 : Answer[item];
    if (sumB > 0)
        RawScore[2] = static_cast<qint16>(sumA * 60 / sumB);

    // Answering True to nearly every statement of section 1 is a response set, not a score.
    int trueCount = 0;
    for (int item = 1; item <= SectionStart[1]; ++item)
        if (Answer[item] == 1)
            ++trueCount;
    if (trueCount > SectionStart[1] * 95 / 100)
        RawScore[1] = 99;
    return {};
}

Status ComputePercentiles(Scores& r, const ScoringTables& t) {
    auto& RawScore = r.RawScore;
    auto& Percentile = r.Percentile;
    auto& UncorrectedPercentile = r.UncorrectedPercentile;
    const int NormSex = CodeValue(r.ReportField[3]) == 2 ? 2 : 1;
    const int race = CodeValue(r.ReportField[6]);
    const int NormGroup = InRange(race, 1, 3) ? race : 1;
    r.NormSex = static_cast<qint16>(NormSex);
    r.NormGroup = static_cast<qint16>(NormGroup);

    for (int s = 1; s <= kNormScales; ++s) {
        const int raw = RawScore[s];
        if (raw > t.NormMax[NormSex][NormGroup][s])
            Percentile[s] = 99;
        else if (raw > 0)
            Percentile[s] = t.NormTable[s][raw][NormGroup][NormSex];
        else
            Percentile[s] = 0; // a raw score below 0 has no table entry either
        UncorrectedPercentile[s] = Percentile[s];
        if (s != 1)
            continue;

        const int truth = Percentile[1];
        int band = 0;
        if (truth >= 95 || InRange(truth, 90, 94))
            band = 4;
        else if (InRange(truth, 70, 89))
            band = 3;
        else if (InRange(truth, 56, 69))
            band = 2;
        else if (InRange(truth, 40, 55))
            band = 1;
        if (band == 0)
            continue;
        for (int j = 2; j <= kScaleSlots; ++j) {
            if (truth >= 95)
                Percentile[j] = 99;
            if (r.DeviantCount[j] >= 2)
                if (auto added = AddCorrection(r, t, j, band); !added)
                    return added;
        }
        // So untruthful a profile is not looked up any further.
        if (truth >= 95)
            return {};
    }

    // Scale 2 is placed by its own intervals rather than by the norm table.
    if (RawScore[2] > 0) {
        const auto& bounds = t.RatioBounds[NormSex];
        for (int k = 1; k <= bounds[0] - 1; ++k)
            if (bounds[k] < RawScore[2] && RawScore[2] <= bounds[k + 1]) {
                Percentile[2] = t.RatioPercentile[NormSex][NormGroup][k];
                break;
            }
    } else {
        Percentile[2] = 99;
    }
    UncorrectedPercentile[2] = Percentile[2];
    return {};
}

Result<Scores> Score(const ClientRecord& record, int client, const ScoringTables& tables) {
    Scores scores;
    if (auto copied = GetClientData(record, client, scores); !copied)
        return copied.error();
    if (auto scored = ScoreScales(scores, tables); !scored)
        return scored.error();
    if (auto computed = ComputePercentiles(scores, tables); !computed)
        return computed.error();
    return scores;
}

} // namespace dvq3
