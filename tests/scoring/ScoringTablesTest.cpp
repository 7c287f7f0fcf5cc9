#include "scoring/ScoringTables.h"
#include "DriveFaults.h"
#include "ScoringFixtures.h"
#include "scoring/ScoringMessages.h"

#include <QFile>

#include <cerrno>
#include <functional>

#include <gtest/gtest.h>

using namespace dvq3;
using namespace dvq3test;

namespace {

struct ScoringTablesTest : ::testing::Test {
    TestFolder folder;
    void SetUp() override { InstallScoringFixtures(folder); }
    Result<ScoringTables> load() const { return LoadScoringTables(folder.program()); }
};

} // namespace

TEST_F(ScoringTablesTest, FixtureFilesFillEveryTable) {
    const ScoringTables t = FixtureTables(folder);
    // Quoted with a comma, several a line, unquoted after leading blanks.
    EXPECT_EQ(t.ReportTitle, QStringLiteral("DVQ-III, DRIVER REINSTATEMENT SCREENING"));
    EXPECT_EQ(t.ScaleName[6], QStringLiteral("Change"));
    EXPECT_EQ(t.RangeName[3], QStringLiteral("PROBLEM RISK"));
    EXPECT_EQ(t.RangeName[4], QStringLiteral("MAXIMUM RISK"));
    // Statements are whole lines, quotes, commas and leading blanks included.
    EXPECT_EQ(t.StatusText[6][1], QStringLiteral("21. Can refuse a drink, \"easily\""));
    EXPECT_EQ(t.StatusText[12][2], QStringLiteral("28. No marijuana since revocation"));
    EXPECT_EQ(t.AbstinenceText[1], QStringLiteral(" 94. Last drink within a month"));
    EXPECT_EQ(t.AbstinenceText[28], QStringLiteral("100. No friends drink or use"));

    EXPECT_EQ(t.StatusItem[12], 28);
    EXPECT_EQ(t.ScoringKey[1][2], QStringLiteral("10011000100010100010011000101"));
    EXPECT_EQ(t.NormMax[2][3][1], 17);
    EXPECT_EQ(t.NormTable[1][14][3][1], 90); // men, group 3, scale 1, raw 14
    EXPECT_EQ(t.NormTable[2][20][3][2], 64); // women, group 3, scale 2, raw 20
    EXPECT_EQ(t.NormMax[1][2][5], 0);
    EXPECT_EQ(t.RatioPercentile[2][3][11], 93);
    EXPECT_EQ(t.RatioBounds[2][0], 12);
    EXPECT_EQ(t.RatioBounds[2][12], 240);
    EXPECT_EQ(t.ScaleItems[1][17], 29);
    EXPECT_EQ(t.TruthCorrection[2][5], 20);
    EXPECT_EQ(t.TruthCorrection[4][4], 2);
    EXPECT_EQ(t.NarrativeFile[2], folder.path("DVQ3SC.TXT"));
    EXPECT_EQ(t.NarrativeText[2].name, QStringLiteral("DVQ3SC.TXT"));
    EXPECT_EQ(t.InvalidProfileText.lines.value(0), QStringLiteral("INVALID PROFILE: the "
                                                                  "Truthfulness score is at or "
                                                                  "above the 95th"));
}

TEST_F(ScoringTablesTest, SectionListsReplaceWhatTheFileHeld) {
    const ScoringTables t = FixtureTables(folder);
    struct List {
        int slot, first, last;
    };
    for (const List& list : {List{5, 30, 54}, List{6, 55, 77}, List{2, 78, 93}}) {
        ASSERT_EQ(t.ScaleItems[list.slot][0], list.last - list.first + 1) << list.slot;
        for (int k = 1; k <= t.ScaleItems[list.slot][0]; ++k)
            EXPECT_EQ(t.ScaleItems[list.slot][k], list.first + k - 1);
        EXPECT_EQ(t.ScaleItems[list.slot][t.ScaleItems[list.slot][0] + 1], 0);
    }
}

TEST_F(ScoringTablesTest, ShippedFilesLoad) {
    for (const QString& name : ScoringFileNames())
        TestFolder::Write(folder.path(name),
                          TestFolder::Read(SourceFolder() + "/data/scoring/" + name));
    const ScoringTables t = FixtureTables(folder);
    EXPECT_FALSE(t.ReportTitle.isEmpty());
    EXPECT_EQ(t.ScaleItems[1][0], 17);
    EXPECT_GE(t.RatioBounds[1][0], 2);
}

// Faulty variants of the fixture files, each with the message that must stop scoring.
TEST_F(ScoringTablesTest, FaultyFilesStopWithAMessageNamingFileAndFault) {
    using Edit = std::function<void(QStringList&)>;
    struct Case {
        const char* name;
        const char* file;
        Edit edit; // empty: the file is removed
        const char* message;
    };
    const auto replace = [](int line, const char* text) {
        return Edit([=](QStringList& lines) { lines[line] = QString::fromLatin1(text); });
    };
    const auto keep = [](int count) {
        return Edit([=](QStringList& lines) { lines = lines.mid(0, count); });
    };
    // DVQ3B.TXT fixture lines: 0 status items, 1-3 keys, 4-45 norm tables (7 lines per sex and
    // group), 46-51 interval tables, 52-54 bounds, 55-57 item lists, 58-63 unused, 64-66
    // corrections, 67-70 unused.
    const Case cases[] = {
        {"missing scoring file", "DVQ3B.TXT", {}, "DVQ3B.TXT is missing from the program folder"},
        {"scoring file ends in the last group", "DVQ3B.TXT", keep(70),
         "DVQ3B.TXT ends too early: value 1 of group 4 after the truth corrections is missing."},
        {"scoring file ends inside a norm table", "DVQ3B.TXT", keep(6),
         "DVQ3B.TXT ends too early: the percentile of raw score 1 in the norm table for sex 1, "
         "group 1, scale 2 is missing."},
        {"report text file ends early", "DVQ3RPT.TXT", keep(57),
         "DVQ3RPT.TXT ends too early: abstinence statement 28 is missing."},
        {"norm table count over 92", "DVQ3B.TXT", replace(5, "93"),
         "DVQ3B.TXT, line 6: the count of the norm table for sex 1, group 1, scale 2 is 93, "
         "outside 0 to 92."},
        {"interval count over 55", "DVQ3B.TXT", replace(46, "56"),
         "DVQ3B.TXT, line 47: the count of the scale 2 interval table for sex 1, group 1 is 56, "
         "outside 0 to 55."},
        {"bound count over 56", "DVQ3B.TXT", replace(53, "57"),
         "DVQ3B.TXT, line 54: the count of the scale 2 bound table for sex 2 is 57, outside 0 to "
         "56."},
        {"item list count over 32", "DVQ3B.TXT", replace(56, "33,3,6,10,14,18,21"),
         "DVQ3B.TXT, line 57: the count of the item list of scale slot 3 is 33, outside 0 to 32."},
        {"status item 101", "DVQ3B.TXT", replace(0, "3,6,10,14,18,21,8,12,16,24,26,101"),
         "DVQ3B.TXT, line 1: the item number of status item 12 is 101, outside 1 to 100."},
        {"scale item 0", "DVQ3B.TXT",
         replace(55, "17,0,2,4,5,7,9,11,13,15,17,19,20,22,23,25,27,29"),
         "DVQ3B.TXT, line 56: item 1 of the item list of scale slot 1 is 0, outside 1 to 100."},
        {"percentile 100", "DVQ3B.TXT", replace(4, "2,8,100"),
         "DVQ3B.TXT, line 5: the percentile of raw score 2 in the norm table for sex 1, group 1, "
         "scale 1 is 100, outside 0 to 99."},
        {"letter in a points key", "DVQ3B.TXT", replace(2, "\"0100001000100000100100001000O\""),
         "DVQ3B.TXT, line 3: the section 1 points key for answer 1 holds \"O\", which is not a "
         "digit."},
        {"descending bounds", "DVQ3B.TXT", replace(54, "0,24,19,29,34,39,44,50,58,72,96,240"),
         "bound 3 of the scale 2 bound table for sex 2 is 19, below the bound before it."},
        {"interval table shorter than the bounds need", "DVQ3B.TXT",
         replace(48, "10,3,11,22,35,43,51,59,67,75,85"),
         "the scale 2 bound table for sex 1 makes 11 intervals, but the interval table for sex 1, "
         "group 3 lists only 10."},
        {"title wider than the report", "DVQ3RPT.TXT",
         replace(0, "\"CORVALENT-III DRIVER REINSTATEMENT QUESTIONNAIRE: CONFIDENTIAL  SCREENING "
                    "REPORTS\""),
         "DVQ3RPT.TXT, line 1: the report title is 81 characters long, wider than the 80-column "
         "report."},
        {"scale name too long for the profile", "DVQ3RPT.TXT",
         replace(2, "\"Stress Coping Index\""),
         "DVQ3RPT.TXT, line 3: scale name 2 is 19 characters long; the profile has room for 17."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstallScoringFixtures(folder);
        const QString path = folder.path(QString::fromLatin1(c.file));
        if (c.edit) {
            QStringList lines = FixtureLines(QString::fromLatin1(c.file));
            c.edit(lines);
            TestFolder::Write(path, JoinLines(lines));
        } else {
            QFile::remove(path);
        }
        // The report text file is read before the scoring data file is opened.
        if (qstrcmp(c.file, "DVQ3RPT.TXT") == 0)
            QFile::remove(folder.path("DVQ3B.TXT"));
        auto loaded = load();
        ASSERT_FALSE(loaded);
        const QString message = loaded.error().text();
        EXPECT_EQ(loaded.error().kind(), Error::Kind::DataFileFault);
        EXPECT_TRUE(message.startsWith(kScoringStopped)) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromLatin1(c.message))) << message.toStdString();
    }
}

TEST_F(ScoringTablesTest, UnreadableFileGivesTheDriveError) {
    DriveFaults faults;
    faults.fail(DriveOp::Read, EIO, "DVQ3B.TXT");
    auto loaded = load();
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.error().text(),
              QStringLiteral("Scoring stopped: DVQ3B.TXT could not be read (Error 57:Device I/O "
                             "error)."));
}

TEST_F(ScoringTablesTest, EmptyTablesAndASingleBoundAreAccepted) {
    QStringList lines = FixtureLines("DVQ3B.TXT");
    lines[4] = "0";    // no scale 1 norms for men of group 1
    lines[52] = "1,0"; // one bound: no interval
    for (int line = 46; line <= 48; ++line)
        lines[line] = "0";
    TestFolder::Write(folder.path("DVQ3B.TXT"), JoinLines(lines));
    const ScoringTables t = FixtureTables(folder);
    EXPECT_EQ(t.NormMax[1][1][1], 0);
    EXPECT_EQ(t.RatioBounds[1][0], 1);
}
