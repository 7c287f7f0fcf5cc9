// Section cases the whole reports in expected/ cannot show with the fixture files.
#include "reports/ReportWriter.h"
#include "ScoringFixtures.h"
#include "platform/Codepage.h"

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::TestFolder;

namespace {

QString At(int column, const QString& text) {
    return QString(column - 1, u' ') + text;
}

struct ReportWriterTest : ::testing::Test {
    Scores scores;
    ScoringTables tables;
    void SetUp() override {
        for (int i = 1; i <= 100; ++i)
            scores.Answer[i] = 2;
        for (int k = 1; k <= 12; ++k) {
            tables.StatusItem[k] = static_cast<qint16>(k);
            for (int j = 1; j <= 2; ++j)
                tables.StatusText[k][j] = QStringLiteral("S%1,%2").arg(k).arg(j);
        }
    }
    TestFolder folder;
    void useFixtureTables() {
        dvq3test::InstallScoringFixtures(folder);
        tables = dvq3test::FixtureTables(folder);
    }
    // A writer whose page already holds lineCount lines.
    ReportWriter writer(int lineCount = 1) {
        ReportWriter w(scores, tables, 1);
        w.SetLineCount(lineCount);
        return w;
    }
    static QStringList Lines(const ReportWriter& w) {
        QStringList lines = DecodeAnsi(w.bytes()).split(QStringLiteral("\r\n"));
        lines.removeLast();
        return lines;
    }
};

} // namespace

// Control characters of a damaged record print as blanks, not one line more.
TEST_F(ReportWriterTest, HeaderCentresEvenTitlesAndKeepsBlankArrestCountsThreeWide) {
    tables.ReportTitle = QStringLiteral("EVEN");
    scores.ArrestText = {QString(), "  ", "N ", "-1"};
    scores.ReportField[1] = QStringLiteral("Ann\rLee\n\f\x01") + QChar(0) + QStringLiteral("X\x7f");
    ReportWriter w = writer();
    w.WriteReportHeader();
    const QStringList lines = Lines(w);
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(w.LineCount(), 14);
    EXPECT_EQ(
        (QStringList{lines[0], lines[1], lines[7].mid(53), lines[8].mid(53), lines[9].mid(53)}),
        (QStringList{At(41, "EVEN"), At(41, "****"), "| DUI/DWI ARRESTS..    |",
                     "| ALCOHOL ARRESTS..  N |", "| DRUG ARRESTS.....N/A |"}));
    EXPECT_FALSE(DecodeAnsi(w.bytes()).contains(u'\f'));
    EXPECT_PRED2(dvq3test::Contains, DecodeAnsi(w.bytes()), "Ann Lee    X ");
}

// The page is broken only when a row brings LineCount to exactly 58; a heading that would leave
// no room for a row starts the next page.
TEST_F(ReportWriterTest, CurrentStatusColumnsAndPageBreaks) {
    struct Case {
        int lineCount;       // lines on the page before the section
        const char* answers; // the answers of status items 1..12
        int pageNo, lineCountAfter;
        QStringList lines; // the lines written; "~text": a line holding text
    };
    // Items 5 and 100 unanswered; answers 3 and 4 give no statement.
    const QStringList alcohol = {At(8, "CURRENT ALCOHOL STATUS"), At(8, "----------------------"),
                                 At(8, "5. No answer given"), At(8, "00. No answer given"), ""};
    const QStringList drugs = {At(44, "CURRENT DRUGS STATUS"), At(44, "--------------------"),
                               At(44, "S7,1"), At(44, "S12,2"), ""};
    const Case cases[] = {
        {1, "334300343433", 1, 6, alcohol},
        {1, "333333133332", 1, 6, drugs},
        {1, "333333444444", 1, 4, {"", "", ""}},
        // The page fills after the first row; the heading moves to the next page.
        {55, "111111111111", 2, 2 + 5 + 1, {"~CURRENT ALCOHOL STATUS", "~---", "~S1,1", "\f"}},
        {56, "111111111111", 2, 2 + 2 + 6 + 1, {"\f", "~NAME: ", "", "~CURRENT ALCOHOL STATUS"}},
    };
    tables.StatusItem[6] = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answers);
        for (int k = 1; k <= 12; ++k)
            scores.Answer[tables.StatusItem[k]] = static_cast<qint16>(c.answers[k - 1] - '0');
        ReportWriter w = writer(c.lineCount);
        w.WriteCurrentStatus();
        QStringList lines = Lines(w);
        if (c.lines.join("").contains(u'~')) // the lines at the page break only
            lines = lines.mid(0, c.lines.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (c.lines.value(i).startsWith(u'~') && lines[i].contains(c.lines[i].mid(1)))
                lines[i] = c.lines[i];
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(w.PageNo(), c.pageNo);
        EXPECT_EQ(w.LineCount(), c.lineCountAfter);
    }
}

TEST_F(ReportWriterTest, NarrativeHeadingStaysWithItsFirstLine) {
    useFixtureTables();
    scores.Percentile[1] = 20;
    for (int start : {57, 58}) {
        ReportWriter w = writer(start);
        ASSERT_TRUE(w.WriteScaleNarrative(1));
        const QStringList lines = Lines(w);
        EXPECT_EQ(lines[0], QStringLiteral("\f")) << start;
        EXPECT_TRUE(lines[3].startsWith("       " + tables.ScaleName[1])) << start;
        EXPECT_EQ(w.PageNo(), 2);
    }
}

// Each override statement, the omitted items alone and the all-clear lines are in the whole
// reports (valid, narrativebreak, omissions, notscored); here an override hides the omissions.
TEST_F(ReportWriterTest, ItemCheckListsOverridesBeforeOmissionsAndCountsNoLines) {
    scores.Answer[18] = scores.Answer[28] = 0;
    scores.Answer[10] = scores.Answer[26] = 1;
    ReportWriter w = writer(5);
    w.WriteItemCheck();
    EXPECT_EQ(Lines(w), (QStringList{At(32, "* * * OVERRIDE * * *"),
                                     At(8, "26. Arrested in last year for drug offense.")}));
    EXPECT_EQ(w.LineCount(), 5);
}

TEST_F(ReportWriterTest, PublisherLinesFillThePageOrAreLeftOut) {
    const QStringList publisher = {At(5, kPublisherNotice), At(10, kPublisherAddress)};
    for (const auto& [lineCount, expected] :
         {std::pair{50, QStringList(7, "") + publisher}, {57, publisher}, {58, QStringList()}}) {
        ReportWriter w = writer(lineCount);
        w.WritePublisherLines();
        EXPECT_EQ(Lines(w), expected) << lineCount;
    }
}

// The thresholds the report judges the scores by, at their edges. Truthfulness 90 and the
// paragraph of an unscored Truthfulness scale are in the whole reports (narrativebreak,
// omissions).
TEST_F(ReportWriterTest, ProfileValidityAndUnscoredScalesAtTheirThresholds) {
    useFixtureTables();
    struct Case {
        int percentile1, omitted1;
        const char *present, *absent;
    };
    const Case cases[] = {
        {94, 0, "* These test results", "INVALID PROFILE"},
        {95, 0, "INVALID PROFILE", "SCORE:"},
        {89, 0, "SCORE:89%", "* These test results"},
        {20, 4, "SCORE:20%", "not scor"},
        {20, 5, "Scale not scored, insufficient answers", "SCORE:20%"},
        // One- and two-digit percentiles end in the same column.
        {10, 0, "Truthfulness      10 ", "Truthfulness       10"},
        {9, 0, "Truthfulness       9 ", "Truthfulness        9"},
    };
    for (const Case& c : cases) {
        scores.Percentile[1] = static_cast<qint16>(c.percentile1);
        scores.OmitCount[0] = static_cast<qint16>(c.omitted1);
        scores.Percentile[2] = 60;
        auto report = BuildReport(scores, tables, 1);
        ASSERT_TRUE(report) << report.error().text().toStdString();
        const QString text = DecodeAnsi(report.value());
        EXPECT_TRUE(text.contains(c.present) && !text.contains(c.absent)) << c.present;
    }
}
