#include "ReportCommand.h"
#include "DriveFaults.h"
#include "ReportClients.h"
#include "ScoringFixtures.h"
#include "ToolRun.h"

#include <QDir>
#include <QFile>

#include <cerrno>

#include <gtest/gtest.h>

using namespace dvq3test;

namespace {

ToolRun RunReport(const QStringList& args) {
    return RunTool(
        [&](QTextStream& out, QTextStream& err) { return dvq3tool::RunReport(args, out, err); });
}

struct ReportCommandTest : ::testing::Test {
    TestFolder folder;
    QByteArray disk;
    void SetUp() override {
        InstallScoringFixtures(folder);
        for (const ReportClient& client : ReportClients())
            disk += client.record.toBytes();
        TestFolder::Write(folder.drive() + "/DATA401.DVQ", disk);
        TestFolder::Write(folder.path("dvq3test.ini"),
                          "[Path]\r\nFilePath=" + folder.drive().toUtf8() + "\r\n");
    }
};

} // namespace

// One client into report.prn, from the drive of the ini file or of --drive; several clients
// into the output folder. Each report is byte for byte the expected file (checked column by
// column against the report layout when written), the test number printed being the record
// number on this disk; the drive is only read. Several clients are scored with the tables read
// once, the last client before the first: nothing of one client may reach the next one's report.
TEST_F(ReportCommandTest, WritesTheReportsOfTheClientsAsked) {
    struct Case {
        QString clients;
        QList<int> written;
        bool out = true;    // --out to a folder of its own
        bool drive = false; // --drive, the ini file naming a drive that is not there
    };
    const Case cases[] = {{"all", {1, 2, 3, 4, 5, 6}}, {"2-4", {2, 3, 4}},
                          {"5-6,1,3", {5, 6, 1, 3}},   {"6", {6}},
                          {"1", {1}, false},           {"4", {4}, false, true}};
    const std::vector<ReportClient> clients = ReportClients();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clients.toStdString());
        QFile::remove(folder.path("report.prn"));
        const QString out = folder.path("out-" + c.clients);
        QStringList args = {c.clients};
        if (c.out)
            args << "--out" << out;
        if (c.drive) {
            TestFolder::Write(folder.path("dvq3test.ini"), "[Path]\r\nFilePath=/nonexistent\r\n");
            args << "--drive" << folder.drive();
        }
        QDir().mkpath(out);
        const ToolRun run = RunReport(args);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        QString printed;
        for (int n : c.written) {
            const QString path =
                c.out ? QStringLiteral("%1/report%2.prn").arg(out).arg(n, 2, 10, QChar('0'))
                      : folder.path("report.prn");
            printed += path + "\n";
            EXPECT_EQ(TestFolder::Read(path), ExpectedReport(clients[n - 1].report, n));
            EXPECT_EQ(TestFolder::Mode(path), 0600); // confidential: its user's alone
        }
        EXPECT_EQ(run.out, printed);
        EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), c.out ? c.written.size() : 0);
        EXPECT_EQ(QFile::exists(folder.path("report.prn")), !c.out);
    }
    EXPECT_EQ(TestFolder::Read(folder.drive() + "/DATA401.DVQ"), disk);
}

TEST_F(ReportCommandTest, FaultsExitNonZeroWithTheMessage) {
    struct Case {
        QStringList args;
        QString message;
        QString printed = {}; // the reports written all the same
        bool damaged = false; // client 3's record damaged
        bool noScoringFile = false;
        bool full = false; // client 3's report finds the disk full
    };
    const QString both = folder.path("report02.prn") + "\n" + folder.path("report04.prn") + "\n";
    const QStringList some = {"2-4", "--out", folder.program()};
    const Case cases[] = {
        {{"0"}, "Client 0 is not on the data disk"},
        {{"7"}, "Client 7 is not on the data disk"},
        {{"1", "--drive", "/nonexistent-drive"}, "No test information found on drive"},
        {{"1-7", "--out", "."}, "Client 7 is not on the data disk"},
        {{"0,1", "--out", "."}, "Client 0 is not on the data disk"},
        // Ranges are checked against the disk before they are counted out.
        {{"1-2147483647", "--out", "."}, "Client 7 is not on the data disk"},
        {{"2147483647-2147483647", "--out", "."}, "Client 2147483647 is not on the data disk"},
        // A client that cannot be scored is told; the others are written.
        {some, "Client 3: Scoring stopped: the record of client 3 holds sex", both, true},
        // A report that cannot be written is named; what it would have replaced goes too, so
        // the folder holds whole reports only, and the last line says which.
        {.args = some,
         .message =
             "Client 3: " + folder.path("report03.prn") +
             " could not be written (Error 61:Disk full); no report of client 3 is left in " +
             some[2] + ".\nComplete: clients 2 and 4. Not written: client 3.\n",
         .printed = both,
         .full = true},
        {.args = {"1"}, .message = "Scoring stopped: DVQ3B.TXT is missing", .noScoringFile = true},
    };
    QByteArray damaged = disk;
    damaged[2 * 176 + 27] = '9'; // client 3's sex code
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        if (c.damaged)
            TestFolder::Write(folder.drive() + "/DATA401.DVQ", damaged);
        if (c.noScoringFile)
            QFile::remove(folder.path("DVQ3B.TXT"));
        DriveFaults faults;
        if (c.full) {
            faults.fail(dvq3::DriveOp::Write, ENOSPC, "report03.prn");
            TestFolder::Write(folder.path("report03.prn"), "an older report");
        }
        const ToolRun run = RunReport(c.args);
        TestFolder::Write(folder.drive() + "/DATA401.DVQ", disk);
        EXPECT_EQ(run.status, 1);
        EXPECT_PRED2(StartsWith, run.err, c.message);
        EXPECT_EQ(run.out, c.printed);
        EXPECT_FALSE(QFile::exists(folder.path("report.prn")));
        EXPECT_FALSE(QFile::exists(folder.path("report01.prn")));
        EXPECT_FALSE(QFile::exists(folder.path("report03.prn")));
    }
}
