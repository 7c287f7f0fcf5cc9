#include "scoring/ScoringTables.h"
#include "DriveFaults.h"
#include "ScoringFixtures.h"
#include "scoring/ScoringMessages.h"

#include <QFile>

#include <cerrno>

#include <gtest/gtest.h>

using namespace dvq3;
using namespace dvq3test;

namespace {

struct ScoringTablesTest : ::testing::Test {
    TestFolder folder;
    void SetUp() override { InstallScoringFixtures(folder); }
};

} // namespace

TEST_F(ScoringTablesTest, FixtureFilesFillEveryTable) {
    const ScoringTables t = FixtureTables(folder);
    // Fields quoted with a comma, several a line, unquoted after leading blanks; statements are
    // whole lines, quotes, commas and leading blanks included.
    EXPECT_EQ((QStringList{t.ReportTitle, t.ScaleName[6], t.RangeName[3], t.RangeName[4],
                           t.StatusText[6][1], t.StatusText[12][2], t.AbstinenceText[1],
                           t.AbstinenceText[28], t.ScoringKey[1][2], t.NarrativeFile[2],
                           t.NarrativeText[2].name, t.InvalidProfileText.lines.value(0)}),
              (QStringList{"DVQ-III, DRIVER REINSTATEMENT SCREENING", "Change", "PROBLEM RISK",
                           "MAXIMUM RISK", "21. Can refuse a drink, \"easily\"",
                           "28. No marijuana since revocation", " 94. Last drink within a month",
                           "100. No friends drink or use", "10011000100010100010011000101",
                           folder.path("DVQ3SC.TXT"), "DVQ3SC.TXT",
                           "INVALID PROFILE: the Truthfulness score is at or above the 95th"}));
    // Norms of men, group 3, scale 1, raw 14 and of women, group 3, scale 2, raw 20.
    EXPECT_EQ(
        (std::vector<int>{t.StatusItem[12], t.NormMax[2][3][1], t.NormTable[1][14][3][1],
                          t.NormTable[2][20][3][2], t.NormMax[1][2][5], t.RatioPercentile[2][3][11],
                          t.RatioBounds[2][0], t.RatioBounds[2][12], t.ScaleItems[1][17],
                          t.TruthCorrection[2][5], t.TruthCorrection[4][4]}),
        (std::vector<int>{28, 17, 90, 64, 0, 93, 12, 240, 29, 20, 2}));
    // The item lists of the questionnaire's sections replace what the file held.
    for (const auto& [slot, first, last] : {std::array{5, 30, 54}, {6, 55, 77}, {2, 78, 93}}) {
        std::vector<int> items = {last - first + 1};
        for (int item = first; item <= last + 1; ++item)
            items.push_back(item <= last ? item : 0);
        EXPECT_EQ(std::vector<int>(&t.ScaleItems[slot][0], &t.ScaleItems[slot][items.size()]),
                  items);
    }
}

// Faulty variants of the fixture files, each with the message that must stop scoring.
TEST_F(ScoringTablesTest, FaultyFilesStopWithAMessageNamingFileAndFault) {
    struct Case {
        const char* file;
        int line;         // the line replaced by text, or without text the lines kept
        const char* text; // neither: the file is removed
        const char* message;
    };
    // DVQ3B.TXT fixture lines: 0 status items, 1-3 keys, 4-45 norm tables (7 lines per sex and
    // group), 46-51 interval tables, 52-54 bounds, 55-57 item lists, 58-63 unused, 64-66
    // corrections, 67-70 unused.
    const Case cases[] = {
        {"DVQ3B.TXT", -1, nullptr, "DVQ3B.TXT is missing from the program folder"},
        {"DVQ3B.TXT", 70, nullptr,
         "DVQ3B.TXT ends too early: value 1 of group 4 after the truth corrections is missing."},
        {"DVQ3B.TXT", 6, nullptr,
         "DVQ3B.TXT ends too early: the percentile of raw score 1 in the norm table for sex 1, "
         "group 1, scale 2 is missing."},
        {"DVQ3RPT.TXT", 57, nullptr,
         "DVQ3RPT.TXT ends too early: abstinence statement 28 is missing."},
        {"DVQ3B.TXT", 5, "93",
         "DVQ3B.TXT, line 6: the count of the norm table for sex 1, group 1, scale 2 is 93, "
         "outside 0 to 92."},
        {"DVQ3B.TXT", 46, "56",
         "DVQ3B.TXT, line 47: the count of the scale 2 interval table for sex 1, group 1 is 56, "
         "outside 0 to 55."},
        {"DVQ3B.TXT", 53, "57",
         "DVQ3B.TXT, line 54: the count of the scale 2 bound table for sex 2 is 57, outside 0 to "
         "56."},
        {"DVQ3B.TXT", 56, "33,3,6,10,14,18,21",
         "DVQ3B.TXT, line 57: the count of the item list of scale slot 3 is 33, outside 0 to 32."},
        {"DVQ3B.TXT", 0, "3,6,10,14,18,21,8,12,16,24,26,101",
         "DVQ3B.TXT, line 1: the item number of status item 12 is 101, outside 1 to 100."},
        {"DVQ3B.TXT", 55, "17,0,2,4,5,7,9,11,13,15,17,19,20,22,23,25,27,29",
         "DVQ3B.TXT, line 56: item 1 of the item list of scale slot 1 is 0, outside 1 to 100."},
        {"DVQ3B.TXT", 4, "2,8,100",
         "DVQ3B.TXT, line 5: the percentile of raw score 2 in the norm table for sex 1, group 1, "
         "scale 1 is 100, outside 0 to 99."},
        {"DVQ3B.TXT", 2, "\"0100001000100000100100001000O\"",
         "DVQ3B.TXT, line 3: the section 1 points key for answer 1 holds \"O\", which is not a "
         "digit."},
        {"DVQ3B.TXT", 54, "0,24,19,29,34,39,44,50,58,72,96,240",
         "bound 3 of the scale 2 bound table for sex 2 is 19, below the bound before it."},
        {"DVQ3B.TXT", 48, "10,3,11,22,35,43,51,59,67,75,85",
         "the scale 2 bound table for sex 1 makes 11 intervals, but the interval table for sex 1, "
         "group 3 lists only 10."},
        {"DVQ3RPT.TXT", 0,
         "\"CORVALENT-III DRIVER REINSTATEMENT QUESTIONNAIRE: CONFIDENTIAL  SCREENING REPORTS\"",
         "DVQ3RPT.TXT, line 1: the report title is 81 characters long, wider than the 80-column "
         "report."},
        {"DVQ3RPT.TXT", 2, "\"Stress Coping Index\"",
         "DVQ3RPT.TXT, line 3: scale name 2 is 19 characters long; the profile has room for 17."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        InstallScoringFixtures(folder);
        const QString path = folder.path(QString::fromLatin1(c.file));
        QStringList lines = FixtureLines(QString::fromLatin1(c.file));
        if (c.text)
            lines[c.line] = QString::fromLatin1(c.text);
        if (c.line >= 0)
            TestFolder::Write(path, JoinLines(c.text ? lines : lines.mid(0, c.line)));
        else
            QFile::remove(path);
        // The report text file is read before the scoring data file is opened.
        if (qstrcmp(c.file, "DVQ3RPT.TXT") == 0)
            QFile::remove(folder.path("DVQ3B.TXT"));
        const QString message = FaultText(LoadScoringTables(folder.program()));
        EXPECT_PRED2(StartsWith, message, kScoringStopped);
        EXPECT_PRED2(Contains, message, QString::fromLatin1(c.message));
    }
}

TEST_F(ScoringTablesTest, UnreadableFileGivesTheDriveError) {
    DriveFaults faults;
    faults.fail(DriveOp::Read, EIO, "DVQ3B.TXT");
    EXPECT_EQ(FaultText(LoadScoringTables(folder.program())),
              "Scoring stopped: DVQ3B.TXT could not be read (Error 57:Device I/O error).");
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
