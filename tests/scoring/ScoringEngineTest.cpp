#include "scoring/ScoringEngine.h"
#include "ScoringFixtures.h"
#include "TestFolder.h"
#include "records/DataDisk.h"
#include "records/CodeTables.h"
#include "scoring/ScoringTables.h"
#include "test/Questionnaire.h"

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::TestFolder;

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
    QString text() const {
        QString responses;
        for (int i = 1; i <= 100; ++i)
            responses += QChar(u'0' + code[i]);
        return responses;
    }
};

struct ScoringEngine : ::testing::Test {
    TestFolder folder;

    void SetUp() override {
        dvq3test::ResetScoringWorld();
        SetReportLabels();
        ScoringKey[1] = {QString(29, u'0'), "01000010001000001001000010000",
                         "10011000100010100010011000101"};
        ScaleItems[1][0] = static_cast<qint16>(kKeyed.size());
        for (std::size_t k = 0; k < kKeyed.size(); ++k)
            ScaleItems[1][k + 1] = static_cast<qint16>(kKeyed[k].first);
        // Scale 1, male group 1: raw 1..10 land on the edges of the truth bands.
        const int edges[] = {39, 40, 55, 56, 69, 70, 89, 90, 94, 95};
        NormMax[1][1][1] = 17;
        for (int raw = 1; raw <= 17; ++raw)
            NormTable[1][raw][1][1] = static_cast<qint16>(raw <= 10 ? edges[raw - 1] : 99);
        // Scale 2 intervals for men: (0,62] (62,67] (67,72] (72,77] (77,82] (82,240].
        const int bounds[] = {0, 62, 67, 72, 77, 82, 240};
        RatioBounds[1][0] = 7;
        for (int k = 1; k <= 7; ++k)
            RatioBounds[1][k] = static_cast<qint16>(bounds[k - 1]);
        for (int k = 1; k <= 6; ++k)
            RatioPercentile[1][1][k] = static_cast<qint16>(10 * k);
        for (int band = 1; band <= 5; ++band)
            TruthCorrection[2][band] = static_cast<qint16>(5 * band);
        TruthCorrection[3] = {0, 100, 100, 100, 100, 100};
        NumClients = 1;
        CurClient = 1;
    }

    Status score(const Answers& answers, const QString& gender = "1", const QString& race = "1") {
        ClientRecord& record = Clients[1];
        record = ClientRecord();
        record.set(&ClientRecord::Gender, gender);
        record.set(&ClientRecord::Race, race);
        record.set(&ClientRecord::Responses, answers.text());
        if (auto copied = GetClientData(); !copied)
            return copied;
        ScoreScales();
        return ComputePercentiles();
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
        ASSERT_TRUE(score(Answers().keyed(c.raw1))) << c.raw1;
        EXPECT_EQ(RawScore[1], c.raw1);
        EXPECT_EQ(Percentile[1], c.percentile1);
        EXPECT_EQ(RawScore[2], c.raw2) << "percentile 1 = " << c.percentile1;
        EXPECT_EQ(Percentile[2], c.percentile2) << "percentile 1 = " << c.percentile1;
        EXPECT_EQ(UncorrectedPercentile[2], c.percentile2);
        // Only scales whose deviant count reaches 2 are corrected.
        EXPECT_EQ(RawScore[3], 0);
    }
}

TEST_F(ScoringEngine, Percentile95EndsTheLookupsWithScale2At99) {
    ASSERT_TRUE(score(Answers().keyed(8)));
    ASSERT_EQ(UncorrectedPercentile[2], 50);
    ASSERT_TRUE(score(Answers().keyed(10)));
    EXPECT_EQ(Percentile[1], 95);
    EXPECT_EQ(UncorrectedPercentile[1], 95);
    // Band 4 still corrects the raw score, but scale 2 is not looked up.
    EXPECT_EQ(RawScore[2], 80);
    for (int s = 2; s <= 6; ++s)
        EXPECT_EQ(Percentile[s], 99) << s;
    // The uncorrected percentiles of the later scales are the previous client's.
    EXPECT_EQ(UncorrectedPercentile[2], 50);
}

TEST_F(ScoringEngine, ResponseSetOfTrueAnswersForcesRawScore99) {
    // 27 True answers in section 1 are allowed; 28 and 29 are a response set.
    for (int trueAnswers : {27, 28, 29}) {
        Answers answers;
        for (int item = 1; item <= 29; ++item)
            answers.set(item, item <= trueAnswers ? 1 : 2);
        ASSERT_TRUE(score(answers));
        if (trueAnswers == 27)
            EXPECT_EQ(RawScore[1], 7); // the six keyed True items and item 29 answered False
        else
            EXPECT_EQ(RawScore[1], 99) << trueAnswers;
    }
    EXPECT_EQ(Percentile[1], 99); // above the table's 17 raw scores
}

TEST_F(ScoringEngine, OmittedScale1ItemsAreCountedAndScoredByTheNoAnswerKey) {
    ScoringKey[1][0] = "1" + QString(28, u'0'); // an omitted item 1 earns a point
    Answers answers;
    for (int item : {1, 2, 3, 4, 5})
        answers.set(item, 0);
    ASSERT_TRUE(score(answers));
    EXPECT_EQ(OmitCount[0], 4); // item 3 is not on scale 1
    EXPECT_EQ(ItemPoints[1], 1);
    EXPECT_EQ(ItemPoints[2], 0);
    EXPECT_EQ(RawScore[1], 1);
    EXPECT_EQ(DeviantCount[1], 1);
    EXPECT_EQ(DeviantCount[2], 9);

    // A key shorter than the section scores its missing characters 0.
    ScoringKey[1][1] = "01";
    ASSERT_TRUE(score(Answers().keyed(5)));
    EXPECT_EQ(RawScore[1], 4); // item 2 from the short key, items 1, 4, 5 from the False key
}

TEST_F(ScoringEngine, OmittedScale2ItemsCountAsStressOneAndCopingFour) {
    Answers none;
    for (int item = 78; item <= 93; ++item)
        none.set(item, 0);
    ASSERT_TRUE(score(none));
    EXPECT_EQ(OmitCount[1], 16);
    EXPECT_EQ(RawScore[2], 15); // 8 * 60 / 32

    Answers some; // stress 2 each but one omitted: 15; coping 2 each but one omitted: 18
    some.set(kStress[0], 0).set(kCoping[0], 0);
    ASSERT_TRUE(score(some));
    EXPECT_EQ(OmitCount[1], 2);
    EXPECT_EQ(RawScore[2], 50); // 15 * 60 / 18, fraction dropped

    Answers extremes;
    for (int item : kStress)
        extremes.set(item, 4);
    for (int item : kCoping)
        extremes.set(item, 1);
    ASSERT_TRUE(score(extremes));
    EXPECT_EQ(RawScore[2], 240);
}

TEST_F(ScoringEngine, NormTableWithCountZeroGives99ButRawZeroIsNeverLookedUp) {
    NormMax[1][1][1] = 0;
    NormTable[1][0][1][1] = 77;
    ASSERT_TRUE(score(Answers().keyed(1)));
    EXPECT_EQ(Percentile[1], 99);
    ASSERT_TRUE(score(Answers()));
    EXPECT_EQ(Percentile[1], 0);
}

TEST_F(ScoringEngine, BoundTableWithOneBoundKeepsTheNormTablePercentile) {
    RatioBounds[1][0] = 1;
    NormMax[1][1][2] = 92;
    NormTable[2][60][1][1] = 33;
    ASSERT_TRUE(score(Answers()));
    EXPECT_EQ(RawScore[2], 60);
    EXPECT_EQ(Percentile[2], 33);
    EXPECT_EQ(UncorrectedPercentile[2], 33);

    // Above the last bound no interval holds the score either: 120 is above the table's 92.
    RatioBounds[1][0] = 7;
    RatioBounds[1][7] = 100;
    Answers stressed;
    for (int item : kStress)
        stressed.set(item, 4);
    ASSERT_TRUE(score(stressed));
    EXPECT_EQ(RawScore[2], 120);
    EXPECT_EQ(Percentile[2], 99);
}

TEST_F(ScoringEngine, Scale2RawScoreAtOrBelowZeroIs99) {
    TruthCorrection[2][1] = -60;
    ASSERT_TRUE(score(Answers().keyed(2)));
    EXPECT_EQ(RawScore[2], 0);
    EXPECT_EQ(Percentile[2], 99);
    TruthCorrection[2][1] = -100;
    ASSERT_TRUE(score(Answers().keyed(2)));
    EXPECT_EQ(RawScore[2], -40);
    EXPECT_EQ(Percentile[2], 99);
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
            NormMax[sex][group][1] = 17;
            NormTable[1][3][group][sex] = static_cast<qint16>(10 * sex + group);
        }
    for (const Case& c : cases) {
        ASSERT_TRUE(score(Answers().keyed(3), c.gender, c.race)) << c.gender << c.race;
        EXPECT_EQ(NormSex, c.sex) << c.gender;
        EXPECT_EQ(NormGroup, c.group) << c.race;
        EXPECT_EQ(Percentile[1], 10 * c.sex + c.group) << c.gender << c.race;
    }
}

TEST_F(ScoringEngine, BlanksAndOtherNonDigitsAreOmittedAnswers) {
    Clients[1].set(&ClientRecord::Responses, "12 x2");
    Clients[1].set(&ClientRecord::DL, "  Q123-456 ");
    ASSERT_TRUE(GetClientData());
    EXPECT_EQ(ReportField[9], QStringLiteral("Q123-456"));
    const int expected[] = {0, 1, 2, 0, 0, 2};
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(Answer[i], expected[i]) << i;
    EXPECT_EQ(Answer[100], 0);
}

TEST_F(ScoringEngine, DamagedRecordsAreRefused) {
    struct Case {
        QString ClientRecord::*field;
        QString value;
        const char* message;
    };
    const QString valid = Answers().text();
    const Case cases[] = {
        {&ClientRecord::Gender, "3", "holds sex code \"3\", which is not one of the codes 0 to 2"},
        {&ClientRecord::Race, "7",
         "holds ethnicity/race code \"7\", which is not one of the codes "
         "0 to 6"},
        {&ClientRecord::Education, "x", "holds education code \"x\""},
        {&ClientRecord::Marital, "6", "holds marital status code \"6\""},
        {&ClientRecord::Responses, "3" + valid.mid(1),
         "holds answer 3 for item 1, but the items 1 to 29 take answers 0 to 2"},
        {&ClientRecord::Responses, valid.left(99) + "5",
         "holds answer 5 for item 100, but the items 94 to 100 take answers 0 to 4"},
    };
    for (const Case& c : cases) {
        Clients[1] = ClientRecord();
        Clients[1].set(&ClientRecord::Responses, valid);
        Clients[1].set(c.field, c.value);
        const ClientRecord before = Clients[1];
        auto copied = GetClientData();
        ASSERT_FALSE(copied) << c.message;
        EXPECT_TRUE(copied.error().text().startsWith("Scoring stopped: the record of client 1 "))
            << copied.error().text().toStdString();
        EXPECT_TRUE(copied.error().text().contains(QString::fromUtf8(c.message)))
            << copied.error().text().toStdString();
        EXPECT_EQ(Clients[1], before);
    }
}

TEST_F(ScoringEngine, CorrectionBeyond16BitsIsRefused) {
    TruthCorrection[2][1] = 32767;
    auto computed = score(Answers().keyed(2));
    ASSERT_FALSE(computed);
    EXPECT_TRUE(computed.error().text().contains("truth correction of scale 2, band 1"));
}
