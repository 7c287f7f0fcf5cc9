#include "scoring/ScoringEngine.h"
#include "QtPrinters.h"
#include "scoring/ScoringMessages.h"

#include <functional>

#include <gtest/gtest.h>

using namespace dvq3;

namespace {

// Scale 1 items and their keyed answers (1 True, 2 False), as the tables below key them.
const std::vector<std::pair<int, int>> kKeyed = {
    {1, 2},  {2, 1},  {4, 2},  {5, 2},  {7, 1},  {9, 2},  {11, 1}, {13, 2}, {15, 2},
    {17, 1}, {19, 2}, {20, 1}, {22, 2}, {23, 2}, {25, 1}, {27, 2}, {29, 2},
};
constexpr std::array<int, 8> kStress = {78, 79, 81, 83, 84, 86, 87, 90};
constexpr std::array<int, 8> kCoping = {80, 82, 85, 88, 89, 91, 92, 93};

// The answers of a client: section 1 not keyed (scale 1 raw 0, 12 True answers), every other
// item answered 2.
struct Answers {
    std::array<int, 101> code{};
    Answers() {
        for (int i = 1; i <= 100; ++i)
            code[i] = 2;
        for (const auto& [item, keyed] : kKeyed)
            code[item] = 3 - keyed;
    }
    // The first n scale 1 items get their keyed answer: raw score n.
    Answers& keyed(int n) {
        for (int k = 0; k < n; ++k)
            code[kKeyed[k].first] = kKeyed[k].second;
        return *this;
    }
    Answers& set(int item, int answer) {
        code[item] = answer;
        return *this;
    }
    Answers& trueUpTo(int last) {
        for (int item = 1; item <= 29; ++item)
            code[item] = item <= last ? 1 : 2;
        return *this;
    }
    Answers& setAll(const auto& items, int answer) {
        for (int item : items)
            code[item] = answer;
        return *this;
    }
    QString text() const {
        QString responses;
        for (int i = 1; i <= 100; ++i)
            responses += QChar(u'0' + code[i]);
        return responses;
    }
};

ClientRecord Record(const Answers& answers, const QString& gender = "1",
                    const QString& race = "1") {
    ClientRecord record;
    record.set(&ClientRecord::Gender, gender);
    record.set(&ClientRecord::Race, race);
    record.set(&ClientRecord::Responses, answers.text());
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
        const int bounds[] = {0, 62, 67, 72, 77, 82, 240};
        tables.RatioBounds[1][0] = 7;
        for (int k = 1; k <= 7; ++k)
            tables.RatioBounds[1][k] = static_cast<qint16>(bounds[k - 1]);
        for (int k = 1; k <= 6; ++k)
            tables.RatioPercentile[1][1][k] = static_cast<qint16>(10 * k);
        for (int band = 1; band <= 5; ++band)
            tables.TruthCorrection[2][band] = static_cast<qint16>(5 * band);
        tables.TruthCorrection[3] = {0, 100, 100, 100, 100, 100};
    }

    Scores score(const Answers& answers, const QString& gender = "1", const QString& race = "1") {
        auto scored = Score(Record(answers, gender, race), 1, tables);
        EXPECT_TRUE(scored) << scored.error().text().toStdString();
        return scored ? scored.value() : Scores();
    }
};

} // namespace

TEST_F(ScoringEngine, TruthBandsCorrectScale2AtTheirEdges) {
    struct Case {
        int raw1;
        int percentile1;
        int raw2;        // 60 from the answers, plus the band's correction
        int percentile2; // from the corrected raw score's interval
    };
    const Case cases[] = {
        {1, 39, 60, 10}, {2, 40, 65, 20}, {3, 55, 65, 20}, {4, 56, 70, 30}, {5, 69, 70, 30},
        {6, 70, 75, 40}, {7, 89, 75, 40}, {8, 90, 80, 50}, {9, 94, 80, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percentile1);
        const Scores r = score(Answers().keyed(c.raw1));
        EXPECT_EQ(r.RawScore[1], c.raw1);
        EXPECT_EQ(r.Percentile[1], c.percentile1);
        EXPECT_EQ(r.UncorrectedPercentile[1], c.percentile1);
        EXPECT_EQ(r.RawScore[2], c.raw2);
        EXPECT_EQ(r.Percentile[2], c.percentile2);
        EXPECT_EQ(r.UncorrectedPercentile[2], c.percentile2);
        // Only scales whose deviant count reaches 2 are corrected.
        EXPECT_EQ(r.RawScore[3], 0);
    }
}

TEST_F(ScoringEngine, Percentile95EndsTheLookupsWithScale2At99) {
    const Scores r = score(Answers().keyed(10));
    EXPECT_EQ(r.Percentile[1], 95);
    EXPECT_EQ(r.UncorrectedPercentile[1], 95);
    // Band 4 still corrects the raw score, but scale 2 is not looked up.
    EXPECT_EQ(r.RawScore[2], 80);
    for (int s = 2; s <= 6; ++s)
        EXPECT_EQ(r.Percentile[s], 99) << s;
    EXPECT_EQ(r.UncorrectedPercentile[2], 0);
}

TEST_F(ScoringEngine, RawScoresOfScale1) {
    struct Case {
        const char* name;
        Answers answers;
        const char* noAnswerKey; // replaces the key of answer 0 (nullptr: kept)
        const char* trueKey;     // replaces the key of answer 1
        int raw, omitted, deviant;
    };
    const Case cases[] = {
        // 27 True answers in section 1 are allowed: the six keyed True items and item 29
        // answered False score; 28 and 29 are a response set.
        {"27 True answers", Answers().trueUpTo(27), nullptr, nullptr, 7, 0, 7},
        {"28 True answers", Answers().trueUpTo(28), nullptr, nullptr, 99, 0, 7},
        {"29 True answers", Answers().trueUpTo(29), nullptr, nullptr, 99, 0, 6},
        // Item 3 is not on scale 1; an omitted item 1 earns the no-answer key's point.
        {"omitted items", Answers().setAll(std::array{1, 2, 3, 4, 5}, 0),
         "10000000000000000000000000000", nullptr, 1, 4, 1},
        // A key shorter than the section scores its missing characters 0: item 2 from the short
        // key, items 1, 4, 5 from the False key.
        {"short key", Answers().keyed(5), nullptr, "01", 4, 0, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        if (c.noAnswerKey)
            tables.ScoringKey[1][0] = QString::fromLatin1(c.noAnswerKey);
        if (c.trueKey)
            tables.ScoringKey[1][1] = QString::fromLatin1(c.trueKey);
        const Scores r = score(c.answers);
        EXPECT_EQ(r.RawScore[1], c.raw);
        EXPECT_EQ(r.OmitCount[0], c.omitted);
        EXPECT_EQ(r.DeviantCount[1], c.deviant);
        EXPECT_EQ(r.DeviantCount[2], 9);
        int points = 0;
        for (int item = 1; item <= 29; ++item)
            points += r.ItemPoints[item];
        // A response set scores 99, above the table's 17 raw scores.
        EXPECT_EQ(c.raw == 99 ? r.Percentile[1] : points, c.raw);
    }
}

TEST_F(ScoringEngine, RawScoresOfScale2CountOmittedStressOneAndCopingFour) {
    struct Case {
        Answers answers;
        int omitted, raw;
    };
    const Case cases[] = {
        {Answers().setAll(kStress, 0).setAll(kCoping, 0), 16, 15}, // 8 * 60 / 32
        // stress 2 each but one omitted: 15; coping 2 each but one omitted: 18
        {Answers().set(kStress[0], 0).set(kCoping[0], 0), 2, 50}, // 15 * 60 / 18, fraction dropped
        {Answers().setAll(kStress, 4).setAll(kCoping, 1), 0, 240},
    };
    for (const Case& c : cases) {
        const Scores r = score(c.answers);
        EXPECT_EQ(r.OmitCount[1], c.omitted) << c.raw;
        EXPECT_EQ(r.RawScore[2], c.raw);
    }
}

TEST_F(ScoringEngine, PercentileLookupsAtTheEdgesOfTheirTables) {
    struct Case {
        const char* name;
        std::function<void(ScoringTables&)> edit;
        Answers answers;
        int raw1, percentile1, raw2, percentile2;
    };
    const Case cases[] = {
        {"norm table with count 0", [](ScoringTables& t) { t.NormMax[1][1][1] = 0; },
         Answers().keyed(1), 1, 99, 80, 99},
        {"raw 0 is never looked up", [](ScoringTables& t) { t.NormTable[1][0][1][1] = 77; },
         Answers(), 0, 0, 60, 10},
        {"one bound keeps the norm table's percentile",
         [](ScoringTables& t) {
             t.RatioBounds[1][0] = 1;
             t.NormMax[1][1][2] = 92;
             t.NormTable[2][60][1][1] = 33;
         },
         Answers(), 0, 0, 60, 33},
        {"above the last bound, and above the norm table's 92",
         [](ScoringTables& t) { t.RatioBounds[1][7] = 100; }, Answers().setAll(kStress, 4), 0, 0,
         120, 99},
        {"scale 2 raw 0", [](ScoringTables& t) { t.TruthCorrection[2][1] = -60; },
         Answers().keyed(2), 2, 40, 0, 99},
        {"scale 2 raw below 0", [](ScoringTables& t) { t.TruthCorrection[2][1] = -100; },
         Answers().keyed(2), 2, 40, -40, 99},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.edit(tables);
        const Scores r = score(c.answers);
        EXPECT_EQ(r.RawScore[1], c.raw1);
        EXPECT_EQ(r.Percentile[1], c.percentile1);
        EXPECT_EQ(r.RawScore[2], c.raw2);
        EXPECT_EQ(r.Percentile[2], c.percentile2);
        EXPECT_EQ(r.UncorrectedPercentile[2], c.percentile1 >= 95 ? 0 : c.percentile2);
    }
}

TEST_F(ScoringEngine, NormKeysFollowSexAndRaceCodes) {
    struct Case {
        const char* gender;
        const char* race;
        int sex;
        int group;
    };
    const Case cases[] = {
        {"0", "0", 1, 1}, {"1", "1", 1, 1}, {"2", "1", 2, 1}, {"1", "2", 1, 2}, {"2", "3", 2, 3},
        {"1", "4", 1, 1}, {"2", "5", 2, 1}, {"1", "6", 1, 1}, {" ", " ", 1, 1},
    };
    for (int sex = 1; sex <= 2; ++sex)
        for (int group = 1; group <= 3; ++group) {
            tables.NormMax[sex][group][1] = 17;
            tables.NormTable[1][3][group][sex] = static_cast<qint16>(10 * sex + group);
        }
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.gender) + c.race);
        const Scores r = score(Answers().keyed(3), c.gender, c.race);
        EXPECT_EQ(r.NormSex, c.sex);
        EXPECT_EQ(r.NormGroup, c.group);
        EXPECT_EQ(r.Percentile[1], 10 * c.sex + c.group);
    }
}

TEST_F(ScoringEngine, ClientDataIsCopiedWithBlanksAndOtherNonDigitsOmitted) {
    ClientRecord record;
    record.set(&ClientRecord::Responses, "12 x2");
    record.set(&ClientRecord::DL, "  Q123-456 ");
    record.set(&ClientRecord::Name, "Ann");
    record.set(&ClientRecord::DrugArrests, "-1");
    Scores r;
    ASSERT_TRUE(GetClientData(record, 1, r));
    EXPECT_EQ(r.ReportField[9], QStringLiteral("Q123-456"));
    EXPECT_EQ(r.ReportField[1], record.Name);
    EXPECT_EQ(r.ArrestText[3], record.DrugArrests);
    const int expected[] = {0, 1, 2, 0, 0, 2};
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(r.Answer[i], expected[i]) << i;
    EXPECT_EQ(r.Answer[100], 0);
}

// A damaged record or tables that would index outside their arrays stop scoring with a message
// naming the record or the file; nothing is read out of bounds (the sanitizer build checks).
TEST_F(ScoringEngine, FaultsOfTheRecordAndOfTheTablesAreRefused) {
    struct Case {
        const char* message;
        std::function<void(ClientRecord&, ScoringTables&)> damage;
    };
    const QString valid = Answers().text();
    const auto field = [](QString ClientRecord::*member, QString value) {
        return [=](ClientRecord& record, ScoringTables&) { record.set(member, value); };
    };
    const Case cases[] = {
        {"the record of client 1 holds sex code \"3\", which is not one of the codes 0 to 2.",
         field(&ClientRecord::Gender, "3")},
        {"the record of client 1 holds ethnicity/race code \"7\", which is not one of the codes 0 "
         "to 6.",
         field(&ClientRecord::Race, "7")},
        {"the record of client 1 holds education code \"x\"", field(&ClientRecord::Education, "x")},
        {"the record of client 1 holds marital status code \"6\"",
         field(&ClientRecord::Marital, "6")},
        {"the record of client 1 holds answer 3 for item 1, but the items 1 to 29 take answers 0 "
         "to 2.",
         field(&ClientRecord::Responses, "3" + valid.mid(1))},
        {"the record of client 1 holds answer 5 for item 100, but the items 94 to 100 take "
         "answers 0 to 4.",
         field(&ClientRecord::Responses, valid.left(99) + "5")},
        {"DVQ3B.TXT: the item number of status item 12 is 101, outside 1 to 100.",
         [](ClientRecord&, ScoringTables& t) { t.StatusItem[12] = 101; }},
        {"DVQ3B.TXT: the item number of status item 1 is 0, outside 1 to 100.",
         [](ClientRecord&, ScoringTables& t) { t.StatusItem[1] = 0; }},
        {"DVQ3B.TXT: the count of the item list of scale slot 1 is 33, outside 0 to 32.",
         [](ClientRecord&, ScoringTables& t) { t.ScaleItems[1][0] = 33; }},
        {"DVQ3B.TXT: the count of the item list of scale slot 1 is -1, outside 0 to 32.",
         [](ClientRecord&, ScoringTables& t) { t.ScaleItems[1][0] = -1; }},
        {"DVQ3B.TXT: item 17 of the item list of scale slot 1 is 101, outside 1 to 100.",
         [](ClientRecord&, ScoringTables& t) { t.ScaleItems[1][17] = 101; }},
        {"DVQ3B.TXT: item 1 of the item list of scale slot 1 is 0, outside 1 to 100.",
         [](ClientRecord&, ScoringTables& t) { t.ScaleItems[1][1] = 0; }},
        {"DVQ3B.TXT: the count of the norm table for sex 2, group 3, scale 5 is 93, outside 0 to "
         "92.",
         [](ClientRecord&, ScoringTables& t) { t.NormMax[2][3][5] = 93; }},
        {"DVQ3B.TXT: the count of the norm table for sex 1, group 1, scale 1 is 93, outside 0 to "
         "92.",
         [](ClientRecord&, ScoringTables& t) { t.NormMax[1][1][1] = 93; }},
        {"DVQ3B.TXT: the count of the scale 2 bound table for sex 2 is 57, outside 0 to 56.",
         [](ClientRecord&, ScoringTables& t) { t.RatioBounds[2][0] = 57; }},
        {"DVQ3B.TXT: the count of the scale 2 bound table for sex 1 is -1, outside 0 to 56.",
         [](ClientRecord&, ScoringTables& t) { t.RatioBounds[1][0] = -1; }},
        {"DVQ3B.TXT: the truth correction of scale 2, band 1 (32767) takes the raw score 60 out "
         "of range.",
         [](ClientRecord& record, ScoringTables& t) {
             t.TruthCorrection[2][1] = 32767;
             record.set(&ClientRecord::Responses, Answers().keyed(2).text());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        SetUp();
        ClientRecord record = Record(Answers());
        c.damage(record, tables);
        auto scored = Score(record, 1, tables);
        ASSERT_FALSE(scored);
        EXPECT_EQ(scored.error().kind(), Error::Kind::DataFileFault);
        EXPECT_TRUE(scored.error().text().startsWith(kScoringStopped + c.message))
            << scored.error().text().toStdString();
    }
}
