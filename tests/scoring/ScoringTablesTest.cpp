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

// What the whole reports print or score with (titles, names, statements, keys, the norms of
// their clients) is checked there; here the tables no reported client reaches, an empty one
// among them (a single bound is accepted too: the fixture's interval tables allow it).
TEST_F(ScoringTablesTest, FixtureFilesFillEveryTable) {
    const ScoringTables t = FixtureTables(folder);
    EXPECT_EQ(
        (std::vector<int>{t.NormMax[1][2][5], t.RatioPercentile[2][3][11], t.RatioBounds[2][0],
                          t.RatioBounds[2][12], t.TruthCorrection[4][4]}),
        (std::vector<int>{0, 93, 12, 240, 2}));
    EXPECT_EQ(t.NarrativeFile[2], folder.path("DVQ3SC.TXT"));
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
        int line; // the line replaced by text, or without text the lines kept
        const char* text;
        const char* message;
    };
    // DVQ3B.TXT fixture lines: 0 status items, 1-3 keys, 4-45 norm tables (7 lines per sex and
    // group), 46-51 interval tables, 52-54 bounds, 55-57 item lists, 58-63 unused, 64-66
    // corrections, 67-70 unused.
    const Case cases[] = {
        {"DVQ3B.TXT", 6, nullptr,
         "DVQ3B.TXT ends too early: the percentile of raw score 1 in the norm table for sex 1, "
         "group 1, scale 2 is missing."},
        {"DVQ3B.TXT", 5, "93",
         "DVQ3B.TXT, line 6: the count of the norm table for sex 1, group 1, scale 2 is 93, "
         "outside 0 to 92."},
        {"DVQ3B.TXT", 46, "56",
         "DVQ3B.TXT, line 47: the count of the scale 2 interval table for sex 1, group 1 is 56, "
         "outside 0 to 55."},
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
        TestFolder::Write(path, JoinLines(c.text ? lines : lines.mid(0, c.line)));
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
