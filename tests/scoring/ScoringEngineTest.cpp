#include "scoring/ScoringEngine.h"
#include "ScoringFixtures.h"
#include "scoring/RiskRange.h"
#include "scoring/ScoringMessages.h"

#include <functional>
#include <numeric>

#include <gtest/gtest.h>

using namespace dvq3;
using namespace dvq3test;

namespace {

// Scale 1 items and their keyed answers (1 True, 2 False), as the tables below key them.
const std::vector<std::pair<int, int>> kKeyed = {
    {1, 2},  {2, 1},  {4, 2},  {5, 2},  {7, 1},  {9, 2},  {11, 1}, {13, 2}, {15, 2},
    {17, 1}, {19, 2}, {20, 1}, {22, 2}, {23, 2}, {25, 1}, {27, 2}, {29, 2},
};
const std::vector<int> kStress = {78, 79, 81, 83, 84, 86, 87, 90};
const std::vector<int> kCoping = {80, 82, 85, 88, 89, 91, 92, 93};

// The answers of a client: section 1 not keyed (scale 1 raw 0, 12 True answers), every other
// item answered 2.
struct Answers {
    QString text = QString(100, u'2'); // item i at i - 1
    Answers() {
        for (const auto& [item, keyed] : kKeyed)
            set({item}, 3 - keyed);
    }
    // The first n scale 1 items get their keyed answer: raw score n.
    Answers& keyed(int n) {
        for (int k = 0; k < n; ++k)
            set({kKeyed[k].first}, kKeyed[k].second);
        return *this;
    }
    Answers& set(const std::vector<int>& items, int answer) {
        for (int item : items)
            text[item - 1] = QChar(u'0' + answer);
        return *this;
    }
    Answers& trueUpTo(int last) {
        for (int item = 1; item <= 29; ++item)
            set({item}, item <= last ? 1 : 2);
        return *this;
    }
};

// A male client of group 1.
ClientRecord Record(const Answers& answers) {
    ClientRecord record;
    record.set(&ClientRecord::Gender, "1");
    record.set(&ClientRecord::Race, "1");
    record.set(&ClientRecord::Responses, answers.text);
    return record;
}

struct ScoringEngine : ::testing::Test {
    ScoringTables tables;

    void SetUp() override {
        tables = ScoringTables();
        for (int k = 1; k <= kStatusItems; ++k)
            tables.StatusItem[k] = static_cast<qint16>(k);
        tables.ScoringKey[1] = {QString(29, u'0'), "01000010001000001001000010000",
                                "10011000100010100010011000101"};
        tables.ScaleItems[1][0] = static_cast<qint16>(kKeyed.size());
        for (std::size_t k = 0; k < kKeyed.size(); ++k)
            tables.ScaleItems[1][k + 1] = static_cast<qint16>(kKeyed[k].first);
        // Scale 1, male group 1: raw 1..10 land on the edges of the truth bands.
        const int edges[] = {39, 40, 55, 56, 69, 70, 89, 90, 94, 95};
        tables.NormMax[1][1][1] = 17;
        for (int raw = 1; raw <= 17; ++raw)
            tables.NormTable[1][raw][1][1] = static_cast<qint16>(raw <= 10 ? edges[raw - 1] : 99);
        // Scale 2 intervals for men: (0,62] (62,67] (67,72] (72,77] (77,82] (82,240].
        tables.RatioBounds[1] = {7, 0, 62, 67, 72, 77, 82, 240};
        tables.RatioPercentile[1][1] = {0, 10, 20, 30, 40, 50, 60};
        tables.TruthCorrection[2] = {0, 5, 10, 15, 20, 25};
        tables.TruthCorrection[3] = {0, 100, 100, 100, 100, 100};
    }

    Scores score(const Answers& answers) {
        auto scored = Score(Record(answers), 1, tables);
        EXPECT_TRUE(scored) << scored.error().text().toStdString();
        return scored ? scored.value() : Scores();
    }
};

} // namespace

// Scale 2's raw score is 60 from the answers plus the truth band's correction; a truthfulness
// percentile of 95 ends the lookups (scale 2 left unlooked-up, every other scale forced to 99)
// though band 4 still corrects scale 2's raw score.
TEST_F(ScoringEngine, PercentilesAtTheEdgesOfTruthBandsAndOfTheirTables) {
    struct Case {
        int raw1; // the first raw1 scale 1 items keyed
        int percentile1, raw2, percentile2, uncorrected2;
        std::function<void(ScoringTables&)> edit = {};
        int stress = 2; // the answer of every stress item
    };
    const QList<Case> bands = {
        {1, 39, 60, 10, 10}, {2, 40, 65, 20, 20}, {3, 55, 65, 20, 20}, {4, 56, 70, 30, 30},
        {5, 69, 70, 30, 30}, {6, 70, 75, 40, 40}, {7, 89, 75, 40, 40}, {8, 90, 80, 50, 50},
        {9, 94, 80, 50, 50}, {10, 95, 80, 99, 0},
    };
    const QList<Case> tableEdges = {
        // A norm table with count 0; raw 0 is never looked up.
        {1, 99, 80, 99, 0, [](ScoringTables& t) { t.NormMax[1][1][1] = 0; }},
        {0, 0, 60, 10, 10, [](ScoringTables& t) { t.NormTable[1][0][1][1] = 77; }},
        // One bound keeps the norm table's percentile.
        {0, 0, 60, 33, 33,
         [](ScoringTables& t) {
             t.RatioBounds[1][0] = 1;
             t.NormMax[1][1][2] = 92;
             t.NormTable[2][60][1][1] = 33;
         }},
        // Above the last bound, and above the norm table's 92.
        {0, 0, 120, 99, 99, [](ScoringTables& t) { t.RatioBounds[1][7] = 100; }, 4},
        // Scale 2 raw 0 and below.
        {2, 40, 0, 99, 99, [](ScoringTables& t) { t.TruthCorrection[2][1] = -60; }},
        {2, 40, -40, 99, 99, [](ScoringTables& t) { t.TruthCorrection[2][1] = -100; }},
    };
    for (const Case& c : bands + tableEdges) {
        SCOPED_TRACE(::testing::Message() << c.raw1 << " " << c.raw2 << " " << c.percentile2);
        SetUp();
        if (c.edit)
            c.edit(tables);
        const Scores r = score(Answers().keyed(c.raw1).set(kStress, c.stress));
        const int others = c.percentile1 >= 95 ? 99 : 0;
        // Only scales whose deviant count reaches 2 are corrected: scale 3's raw score stays 0.
        EXPECT_EQ((std::vector<int>{r.RawScore[1], r.Percentile[1], r.UncorrectedPercentile[1],
                                    r.RawScore[2], r.Percentile[2], r.UncorrectedPercentile[2],
                                    r.RawScore[3], r.Percentile[3], r.Percentile[6]}),
                  (std::vector<int>{c.raw1, c.percentile1, c.percentile1, c.raw2, c.percentile2,
                                    c.uncorrected2, 0, others, others}));
    }
}

// Scale 2 (60 when nothing is omitted, before its truth correction) counts an omitted stress
// item 1 and an omitted coping item 4.
TEST_F(ScoringEngine, RawScoresAndOmissionsOfBothScales) {
    struct Case {
        const char* name;
        Answers answers;
        int raw1, omitted1, deviant1, raw2, omitted2;
        const char* noAnswerKey = nullptr; // replaces the key of answer 0
        const char* trueKey = nullptr;     // replaces the key of answer 1
    };
    const Case cases[] = {
        // 27 True answers in section 1 are allowed: the six keyed True items and item 29
        // answered False score; 28 and 29 are a response set.
        {"27 True answers", Answers().trueUpTo(27), 7, 0, 7, 75, 0},
        {"28 True answers", Answers().trueUpTo(28), 99, 0, 7, 80, 0},
        {"29 True answers", Answers().trueUpTo(29), 99, 0, 6, 80, 0},
        // Item 3 is not on scale 1; an omitted item 1 earns the no-answer key's point.
        {"omitted items", Answers().set({1, 2, 3, 4, 5}, 0), 1, 4, 1, 60, 0,
         "10000000000000000000000000000"},
        // A key shorter than the section scores its missing characters 0: item 2 from the short
        // key, items 1, 4, 5 from the False key.
        {"short key", Answers().keyed(5), 4, 0, 4, 70, 0, nullptr, "01"},
        {"stress and coping omitted", Answers().set(kStress, 0).set(kCoping, 0), 0, 0, 0, 15, 16},
        // Stress 2 each but one omitted: 15; coping 2 each but one omitted: 18; 50 with the
        // fraction dropped.
        {"one of each omitted", Answers().set({kStress[0], kCoping[0]}, 0), 0, 0, 0, 50, 2},
        {"highest stress, lowest coping", Answers().set(kStress, 4).set(kCoping, 1), 0, 0, 0, 240,
         0},
        {"omissions in both sections", Answers().set({2, 4, 29, 78, 80, 93}, 0), 0, 3, 0, 45, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        if (c.noAnswerKey)
            tables.ScoringKey[1][0] = QString::fromLatin1(c.noAnswerKey);
        if (c.trueKey)
            tables.ScoringKey[1][1] = QString::fromLatin1(c.trueKey);
        Scores r = score(c.answers);
        EXPECT_EQ(r.RawScore[2], c.raw2);
        const int points = std::accumulate(&r.ItemPoints[1], &r.ItemPoints[30], 0);
        // A response set scores 99, above the table's 17 raw scores.
        EXPECT_EQ(c.raw1 == 99 ? r.Percentile[1] : points, c.raw1);
        // Scores scored again count afresh: nothing is added to the first pass's counts.
        for (int pass = 1; pass <= 2; ++pass) {
            EXPECT_EQ((std::vector<int>{r.RawScore[1], r.DeviantCount[1], r.DeviantCount[2]}),
                      (std::vector<int>{c.raw1, c.deviant1, 9}));
            EXPECT_EQ(r.OmitCount, (std::array<qint16, 6>{static_cast<qint16>(c.omitted1),
                                                          static_cast<qint16>(c.omitted2)}));
            ASSERT_TRUE(ScoreScales(r, tables));
        }
    }
}

// The norm keys of sex codes 0 to 2 and race codes 0 to 4 and 6 are in the whole reports, whose
// clients each use other norms.
// The name and the arrest counts as printed are in the whole reports.
TEST_F(ScoringEngine, ClientDataIsCopiedWithBlanksAndOtherNonDigitsOmitted) {
    ClientRecord record;
    record.set(&ClientRecord::Responses, "12 x2");
    record.set(&ClientRecord::DL, "  Q123-456 ");
    Scores r;
    ASSERT_TRUE(GetClientData(record, 1, r));
    EXPECT_EQ(r.ReportField[9], "Q123-456");
    EXPECT_EQ((std::vector<int>{r.Answer[1], r.Answer[2], r.Answer[3], r.Answer[4], r.Answer[5],
                                r.Answer[100]}),
              (std::vector<int>{1, 2, 0, 0, 2, 0}));
}

// A damaged record or tables that would index outside their arrays stop scoring with a message
// naming the record or the file; nothing is read out of bounds (the sanitizer build checks).
TEST_F(ScoringEngine, FaultsOfTheRecordAndOfTheTablesAreRefused) {
    const QString valid = Answers().text;
    // The messages of record faults start "the record of client 1 holds ", of table faults
    // "DVQ3B.TXT: ".
    using Case = std::pair<const char*, std::function<void(ClientRecord&, ScoringTables&)>>;
#define RECORD(member, value, text)                                                                \
    Case("the record of client 1 holds " text,                                                     \
         [=](ClientRecord& record, ScoringTables&) { record.set(&ClientRecord::member, value); })
#define TABLE(edit, text) Case("DVQ3B.TXT: " text, [](ClientRecord&, ScoringTables& t) { t.edit; })
    const Case cases[] = {
        RECORD(Gender, "3", "sex code \"3\", which is not one of the codes 0 to 2."),
        RECORD(Race, "7", "ethnicity/race code \"7\", which is not one of the codes 0 to 6."),
        RECORD(Education, "x", "education code \"x\""),
        RECORD(Marital, "6", "marital status code \"6\""),
        RECORD(Responses, "3" + valid.mid(1),
               "answer 3 for item 1, but the items 1 to 29 take answers 0 to 2."),
        RECORD(Responses, valid.left(99) + "5",
               "answer 5 for item 100, but the items 94 to 100 take answers 0 to 4."),
        RECORD(Responses, valid.left(59) + "9" + valid.mid(60),
               "answer 9 for item 60, but the items 55 to 77 take answers 0 to 4."),
        TABLE(StatusItem[12] = 101, "the item number of status item 12 is 101, outside 1 to 100."),
        TABLE(StatusItem[1] = 0, "the item number of status item 1 is 0, outside 1 to 100."),
        TABLE(ScaleItems[1][0] = 33,
              "the count of the item list of scale slot 1 is 33, outside 0 to 32."),
        TABLE(ScaleItems[1][0] = -1,
              "the count of the item list of scale slot 1 is -1, outside 0 to 32."),
        TABLE(ScaleItems[1][17] = 101,
              "item 17 of the item list of scale slot 1 is 101, outside 1 to 100."),
        TABLE(ScaleItems[1][1] = 0,
              "item 1 of the item list of scale slot 1 is 0, outside 1 to 100."),
        TABLE(NormMax[2][3][5] = 93,
              "the count of the norm table for sex 2, group 3, scale 5 is 93, outside 0 to 92."),
        TABLE(NormMax[1][1][1] = 93,
              "the count of the norm table for sex 1, group 1, scale 1 is 93, outside 0 to 92."),
        TABLE(RatioBounds[2][0] = 57,
              "the count of the scale 2 bound table for sex 2 is 57, outside 0 to 56."),
        TABLE(RatioBounds[1][0] = -1,
              "the count of the scale 2 bound table for sex 1 is -1, outside 0 to 56."),
        {"DVQ3B.TXT: the truth correction of scale 2, band 1 (32767) takes the raw score 60 out of "
         "range.",
         [](ClientRecord& record, ScoringTables& t) {
             t.TruthCorrection[2][1] = 32767;
             record.set(&ClientRecord::Responses, Answers().keyed(2).text);
         }},
    };
#undef RECORD
#undef TABLE
    for (const auto& [message, damage] : cases) {
        SCOPED_TRACE(message);
        SetUp();
        ClientRecord record = Record(Answers());
        damage(record, tables);
        EXPECT_PRED2(StartsWith, FaultText(Score(record, 1, tables)), kScoringStopped + message);
    }
}

TEST(RiskRange, EachRangeEndsAtItsPercentile) {
    const std::array<QString, 5> names = {"", "LOW RISK", "", "HIGH RISK", ""};
    const std::pair<int, const char*> rows[] = {
        {0, "LOW RISK"},     {39, "LOW RISK"},    {40, "MEDIUM-LOW"},   {55, "MEDIUM-LOW"},
        {56, "MEDIUM-HIGH"}, {69, "MEDIUM-HIGH"}, {70, "HIGH RISK"},    {89, "HIGH RISK"},
        {90, "MAXIMUM-LOW"}, {94, "MAXIMUM-LOW"}, {95, "MAXIMUM-HIGH"}, {99, "MAXIMUM-HIGH"}};
    for (const auto& [percentile, range] : rows)
        EXPECT_EQ(RangeKey(percentile, names), range) << percentile;
}
