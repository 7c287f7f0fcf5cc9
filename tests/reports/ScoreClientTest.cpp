#include "reports/ScoreClient.h"
#include "DriveFaults.h"
#include "ReportClients.h"
#include "ScoringFixtures.h"
#include "reports/ReportText.h"
#include "scoring/ScoringMessages.h"
#include "station/Session.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <functional>

#include <gtest/gtest.h>

using namespace dvq3;
using namespace dvq3test;

namespace {

const QByteArray kPrevious = "the previous client's report\r\n";

// A data disk of three clients: 1 valid, 2 invalid profile, 3 scale 1 not scored.
struct ScoreClientTest : ::testing::Test {
    TestFolder folder;
    Session session;
    DriveFaults faults;
    void SetUp() override {
        InstallScoringFixtures(folder);
        TestFolder::Write(folder.path("report.prn"), kPrevious);
        TestFolder::Write(folder.drive() + "/DATA401.DVQ",
                          ClientOf("valid").record.toBytes() +
                              ClientOf("invalid").record.toBytes() +
                              ClientOf("omissions").record.toBytes());
        session.disk.SetDataDrive(folder.drive());
        ASSERT_TRUE(session.LoadClients(DataDisk::LoadMode::ReadOnly));
    }
    // The report written, and nothing else left in the program folder.
    void expectReport(const QByteArray& report) {
        EXPECT_EQ(TestFolder::Read(folder.path("report.prn")), report);
        EXPECT_FALSE(QDir(folder.program()).entryList(QDir::Files).contains("report.prn.new"));
    }
};

} // namespace

TEST_F(ScoreClientTest, FaultsLeaveThePreviousReport) {
    struct Case {
        int client;
        std::function<void()> damage;
        QString message;
    };
    const auto remove = [this](const char* name) {
        return [=, this] { QFile::remove(folder.path(QString::fromLatin1(name))); };
    };
    const QString notWritten =
        kReportNotWritten.arg(folder.path("report.prn"), "Error 61:Disk full");
    // Each source of a fault once: the tables, a narrative, the invalid-profile text, the record
    // (how each is read and judged is tested with the scoring), the client number, the writing.
    const Case cases[] = {
        {1, remove("DVQ3B.TXT"), "DVQ3B.TXT is missing"},
        {1, remove("DVQ3VA.TXT"), "DVQ3VA.TXT is missing"},
        {2, remove("INVAL.TXT"), "INVAL.TXT is missing"},
        {1, [this] { session.disk.Clients(1).Gender = "9"; },
         "the record of client 1 holds sex code \"9\""},
        {5, {}, kNoClientToScore.arg(5).arg(3)}, // beyond the new client
        {0, {}, kNoClientToScore.arg(0).arg(3)},
        // A report that cannot be written keeps the previous one (whichever step fails: the
        // file replacement's own tests).
        {1, [this] { faults.fail(DriveOp::Write, ENOSPC, "report.prn"); }, notWritten},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "row " << &c - cases);
        SetUp();
        if (c.damage)
            c.damage();
        session.CurClient = c.client;
        const QString message = FaultText(ScoreClient(session));
        faults.clear();
        if (c.message.endsWith(u'.')) // a whole message
            EXPECT_EQ(message, kScoringStopped + c.message);
        else
            EXPECT_PRED2(StartsWith, message, kScoringStopped + c.message);
        expectReport(kPrevious);
    }
}

// An invalid profile prints no narrative, a valid one no invalid-profile text; scale 1 of client
// 3 is not scored, so its narrative is not needed. A new client not yet saved can be scored.
TEST_F(ScoreClientTest, TextsAreNeededOnlyWhenTheReportPrintsThem) {
    struct Case {
        const char* missing;
        int client;
        const char* report;
    };
    const Case cases[] = {{"DVQ3VA.TXT", 2, "invalid"},
                          {"DVQ3SC.TXT", 2, "invalid"},
                          {"INVAL.TXT", 1, "valid"},
                          {"DVQ3VA.TXT", 3, "omissions"},
                          {nullptr, 4, "valid"}};
    session.disk.Clients(4) = ClientOf("valid").record;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.client);
        InstallScoringFixtures(folder);
        if (c.missing)
            QFile::remove(folder.path(c.missing));
        session.CurClient = c.client;
        auto scored = ScoreClient(session);
        ASSERT_TRUE(scored) << scored.error().text().toStdString();
        EXPECT_EQ(scored.value(), ReportFilePath());
        expectReport(ExpectedReport(c.report, c.client));
    }
    EXPECT_EQ(session.disk.NumClients(), 3);
}
