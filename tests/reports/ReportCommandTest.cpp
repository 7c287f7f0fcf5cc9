#include "ReportCommand.h"
#include "ReportClients.h"
#include "ScoringFixtures.h"
#include "ToolRun.h"
#include "platform/IniFile.h"
#include "records/DataDisk.h"

#include <QDir>
#include <QFile>
#include <QProcess>

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

TEST_F(ReportCommandTest, ScoresClientNOfTheDriveNamedInTheIniFile) {
    const ToolRun run = RunReport({"1"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, folder.path("report.prn") + "\n");
    EXPECT_EQ(TestFolder::Read(folder.path("report.prn")),
              TestFolder::Read(SourceFolder() + "/tests/reports/expected/valid.prn"));
    // The drive is only read.
    EXPECT_EQ(TestFolder::Read(folder.drive() + "/DATA401.DVQ"), disk);
}

// Several clients in one run, each report byte for byte as a single run writes it.
TEST_F(ReportCommandTest, WritesOneReportPerClientIntoTheOutputFolder) {
    struct Case {
        QString clients;
        QList<int> written;
    };
    const Case cases[] = {
        {"all", {1, 2, 3, 4, 5, 6}}, {"2-4", {2, 3, 4}}, {"1,3,5-6", {1, 3, 5, 6}}, {"6", {6}}};
    const std::vector<ReportClient> clients = ReportClients();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clients.toStdString());
        const QString out = folder.path("out-" + c.clients);
        QDir().mkpath(out);
        const ToolRun run = RunReport({c.clients, "--out", out});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        QString printed;
        for (int n : c.written) {
            const QString path =
                QStringLiteral("%1/report%2.prn").arg(out).arg(n, 2, 10, QChar('0'));
            printed += path + "\n";
            // The test number printed is the record number on this disk.
            const ReportClient& client = clients[n - 1];
            EXPECT_EQ(TestFolder::Read(path),
                      TestFolder::Read(SourceFolder() + "/tests/reports/expected/" + client.report +
                                       ".prn")
                          .replace("(Test #" + QByteArray::number(client.number) + ")",
                                   "(Test #" + QByteArray::number(n) + ")"));
        }
        EXPECT_EQ(run.out, printed);
        EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), c.written.size());
    }
    EXPECT_FALSE(QFile::exists(folder.path("report.prn")));
}

TEST_F(ReportCommandTest, DriveOptionOverridesTheIniFile) {
    TestFolder::Write(folder.path("dvq3test.ini"), "[Path]\r\nFilePath=/nonexistent\r\n");
    const ToolRun run = RunReport({"--drive", folder.drive(), "4"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QByteArray report = TestFolder::Read(folder.path("report.prn"));
    EXPECT_TRUE(report.contains("INVALID PROFILE"));
}

TEST_F(ReportCommandTest, FaultsExitNonZeroWithTheMessage) {
    struct Case {
        QStringList args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"0"}, 2, "Client 0 is not on the data disk"},
        {{"7"}, 2, "Client 7 is not on the data disk"},
        {{"x"}, 64, "the client number \"x\" is not a number"},
        {{"1", "2"}, 64, "unexpected argument \"2\""},
        {{"--drive"}, 64, "--drive needs a value"},
        {{"1", "--drive", "/nonexistent-drive"}, 2, "No test information found on drive"},
        {{"1-7", "--out", "."}, 2, "Client 7 is not on the data disk"},
        {{"0,1", "--out", "."}, 2, "Client 0 is not on the data disk"},
        {{"3-2", "--out", "."}, 64, "\"3-2\" is not \"all\", a client number, a range"},
        {{"1-x", "--out", "."}, 64, "\"1-x\" is not \"all\", a client number, a range"},
        {{"all", "--out"}, 64, "--out needs a value"},
    };
    for (const Case& c : cases) {
        const ToolRun run = RunReport(c.args);
        EXPECT_EQ(run.status, c.status) << c.message;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(folder.path("report.prn")));
        EXPECT_FALSE(QFile::exists(folder.path("report01.prn")));
    }
    // A client that cannot be scored is told; the others are written.
    QByteArray damaged = disk;
    damaged[2 * 176 + 27] = '9'; // client 3's sex code
    TestFolder::Write(folder.drive() + "/DATA401.DVQ", damaged);
    const ToolRun some = RunReport({"2-4", "--out", folder.program()});
    EXPECT_EQ(some.status, 2);
    EXPECT_TRUE(some.err.startsWith("Client 3: Scoring stopped: the record of client 3 holds sex"))
        << some.err.toStdString();
    EXPECT_EQ(some.out, folder.path("report02.prn") + "\n" + folder.path("report04.prn") + "\n");
    TestFolder::Write(folder.drive() + "/DATA401.DVQ", disk);

    QFile::remove(folder.path("DVQ3B.TXT"));
    const ToolRun faulty = RunReport({"1"});
    EXPECT_EQ(faulty.status, 2);
    EXPECT_TRUE(faulty.err.startsWith("Scoring stopped: DVQ3B.TXT is missing"))
        << faulty.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder.path("report.prn")));
}

// The built tool, run as a user runs it: the exit status, and a PDF where the build can print.
TEST_F(ReportCommandTest, ToolWritesTheReportAndItsPdf) {
    const QString tool = BuiltProgramFolder() + "/dvq3tool";
    ASSERT_TRUE(QFile::exists(tool));
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DVQ3_PROGRAM_FOLDER", folder.program());
    process.setProcessEnvironment(env);
    QStringList args = {"report", "2"};
    if (dvq3tool::CanWritePdf())
        args << "--pdf" << folder.path("report.pdf");
    process.start(tool, args);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(TestFolder::Read(folder.path("report.prn")),
              TestFolder::Read(SourceFolder() + "/tests/reports/expected/statusbreak.prn"));
    if (dvq3tool::CanWritePdf()) {
        EXPECT_TRUE(TestFolder::Read(folder.path("report.pdf")).startsWith("%PDF"));
        process.start(tool, {"report", "1,4", "--out", folder.drive(), "--pdf"});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        for (const char* name : {"report01", "report04"}) {
            EXPECT_TRUE(QFile::exists(folder.drive() + "/" + name + ".prn")) << name;
            EXPECT_TRUE(TestFolder::Read(folder.drive() + "/" + name + ".pdf").startsWith("%PDF"))
                << name;
        }
    }

    process.start(tool, {"report", "9"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_TRUE(process.readAllStandardError().contains("Client 9 is not on the data disk"));
}
