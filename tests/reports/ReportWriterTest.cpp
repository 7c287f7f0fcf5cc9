// Section cases the whole reports in expected/ cannot show with the fixture files.
#include "reports/ReportWriter.h"
#include "ScoringFixtures.h"
#include "TestFolder.h"
#include "platform/Codepage.h"
#include "records/CodeTables.h"
#include "scoring/ScoringEngine.h"
#include "scoring/ScoringTables.h"
#include "test/Questionnaire.h"

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::TestFolder;

namespace {

QStringList Lines(const ReportOutput& out) {
    QStringList lines = DecodeAnsi(out.bytes()).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

QString At(int column, const QString& text) {
    return QString(column - 1, u' ') + text;
}

struct ReportWriterTest : ::testing::Test {
    TestFolder folder;
    void SetUp() override {
        dvq3test::ResetScoringWorld();
        ResetReportState();
        for (int i = 1; i <= 100; ++i)
            Answer[i] = 2;
        for (int k = 1; k <= 12; ++k) {
            StatusItem[k] = static_cast<qint16>(k);
            for (int j = 1; j <= 2; ++j)
                StatusText[k][j] = QStringLiteral("S%1,%2").arg(k).arg(j);
        }
    }
};

} // namespace

TEST_F(ReportWriterTest, HeaderCentresEvenTitlesAndKeepsBlankArrestCountsThreeWide) {
    ReportTitle = QStringLiteral("EVEN");
    ArrestText = {QString(), "  ", "N ", "-1"};
    ReportOutput out;
    WriteReportHeader(out);
    const QStringList lines = Lines(out);
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(LineCount, 14);
    EXPECT_EQ(lines[0], At(41, "EVEN"));
    EXPECT_EQ(lines[1], At(41, "****"));
    EXPECT_EQ(lines[7].mid(53), "| DUI/DWI ARRESTS..    |");
    EXPECT_EQ(lines[8].mid(53), "| ALCOHOL ARRESTS..  N |");
    EXPECT_EQ(lines[9].mid(53), "| DRUG ARRESTS.....N/A |");
}

TEST_F(ReportWriterTest, CurrentStatusColumnsAndUnansweredItems) {
    struct Case {
        const char* name;
        std::array<int, 13> answers; // the answers of status items 1..12
        QStringList lines;
    };
    const Case cases[] = {
        // Items 5 and 100 unanswered; answers 3 and 4 give no statement.
        {"alcohol column only",
         {0, 3, 3, 4, 3, 0, 0, 3, 4, 3, 4, 3, 3},
         {At(8, "CURRENT ALCOHOL STATUS"), At(8, "----------------------"),
          At(8, "5. No answer given"), At(8, "00. No answer given"), ""}},
        {"drugs column only",
         {0, 3, 3, 3, 3, 3, 3, 1, 3, 3, 3, 3, 2},
         {At(44, "CURRENT DRUGS STATUS"), At(44, "--------------------"), At(44, "S7,1"),
          At(44, "S12,2"), ""}},
        {"no statement at all", {0, 3, 3, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4}, {"", "", ""}},
    };
    StatusItem[6] = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetReportState();
        for (int k = 1; k <= 12; ++k)
            Answer[StatusItem[k]] = static_cast<qint16>(c.answers[k]);
        ReportOutput out;
        WriteCurrentStatus(out);
        EXPECT_EQ(Lines(out), c.lines);
        EXPECT_EQ(LineCount, 1 + c.lines.size());
    }
}

// The page is broken only when a row brings LineCount to exactly 58; a heading that reaches 58
// lets the rows run on past the end of the page.
TEST_F(ReportWriterTest, CurrentStatusNeverRunsPastThePage) {
    // Room for the heading, its underline and one row: the page breaks after that row.
    LineCount = 55;
    ReportOutput fits;
    WriteCurrentStatus(fits);
    QStringList lines = Lines(fits);
    ASSERT_GE(lines.size(), 4);
    EXPECT_TRUE(lines[0].contains("CURRENT ALCOHOL STATUS"));
    EXPECT_EQ(lines[3], QStringLiteral("\f"));
    EXPECT_EQ(PageNo, 2);

    // No room for a row under the heading: the heading starts the next page.
    ResetReportState();
    LineCount = 56;
    ReportOutput moved;
    WriteCurrentStatus(moved);
    lines = Lines(moved);
    EXPECT_EQ(lines[0], QStringLiteral("\f"));
    EXPECT_TRUE(lines[3].contains("CURRENT ALCOHOL STATUS"));
    EXPECT_EQ(PageNo, 2);
    EXPECT_EQ(LineCount, 2 + 2 + 6 + 1);
}

TEST_F(ReportWriterTest, NarrativeHeadingStaysWithItsFirstLine) {
    dvq3test::InstallScoringFixtures(folder);
    ASSERT_TRUE(LoadScoringTables());
    Percentile[1] = 20;
    for (int start : {57, 58}) {
        ResetReportState();
        LineCount = static_cast<qint16>(start);
        ReportOutput out;
        ASSERT_TRUE(WriteScaleNarrative(out, 1));
        const QStringList lines = Lines(out);
        EXPECT_EQ(lines[0], QStringLiteral("\f")) << start;
        EXPECT_TRUE(lines[3].startsWith("       " + ScaleName[1])) << start;
        EXPECT_EQ(PageNo, 2);
    }
}

TEST_F(ReportWriterTest, ItemCheckListsOverridesBeforeOmissions) {
    Answer[10] = 1;
    Answer[18] = 0;
    Answer[26] = 1;
    Answer[28] = 0;
    ReportOutput out;
    WriteItemCheck(out);
    EXPECT_EQ(Lines(out), QStringList({At(32, "* * * OVERRIDE * * *"),
                                       At(8, "26. Arrested in last year for drug offense.")}));
    Answer[26] = 2;
    ReportOutput omitted;
    WriteItemCheck(omitted);
    EXPECT_EQ(Lines(omitted), QStringList({At(32, "* * * OVERRIDE * * *"),
                                           At(8, "18. The applicant did not answer this item."),
                                           At(8, "28. The applicant did not answer this item.")}));
    EXPECT_EQ(LineCount, 1);
}

TEST_F(ReportWriterTest, PublisherLinesFillThePageOrAreLeftOut) {
    struct Case {
        int lineCount;
        int emptyLines;
        bool printed;
    };
    for (const Case& c : {Case{50, 7, true}, Case{57, 0, true}, Case{58, 0, false}}) {
        LineCount = static_cast<qint16>(c.lineCount);
        ReportOutput out;
        WritePublisherLines(out);
        QStringList expected;
        for (int i = 0; i < c.emptyLines; ++i)
            expected << QString();
        if (c.printed)
            expected << At(5, kPublisherNotice) << At(10, kPublisherAddress);
        EXPECT_EQ(Lines(out), expected) << c.lineCount;
    }
}
