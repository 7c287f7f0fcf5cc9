#include "reports/ScoreClient.h"
#include "DriveFaults.h"
#include "ReportClients.h"
#include "ScoringFixtures.h"
#include "records/Session.h"
#include "reports/ReportText.h"
#include "scoring/ScoringMessages.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <functional>

#include <gtest/gtest.h>

using namespace dvq3;
using namespace dvq3test;

namespace {

const QByteArray kPrevious = "the previous client's report\r\n";

ClientRecord ClientOf(const char* report) {
    for (const ReportClient& client : ReportClients())
        if (qstrcmp(client.report, report) == 0)
            return client.record;
    return {};
}

// A data disk of three clients: 1 valid, 2 invalid profile, 3 scale 1 not scored.
struct ScoreClientTest : ::testing::Test {
    TestFolder folder;
    Session session;
    void SetUp() override {
        InstallScoringFixtures(folder);
        TestFolder::Write(folder.path("report.prn"), kPrevious);
        TestFolder::Write(folder.drive() + "/DATA401.DVQ", ClientOf("valid").toBytes() +
                                                               ClientOf("invalid").toBytes() +
                                                               ClientOf("omissions").toBytes());
        session.disk.SetDataDrive(folder.drive());
        ASSERT_TRUE(session.LoadClients(DataDisk::LoadMode::ReadOnly));
    }
    QStringList programFiles() const {
        return QDir(folder.program()).entryList(QDir::Files, QDir::Name);
    }
};

} // namespace

TEST_F(ScoreClientTest, FaultsLeaveThePreviousReport) {
    struct Case {
        const char* name;
        int client;
        std::function<void(const TestFolder&, Session&)> damage;
        QString message;
    };
    const auto remove = [](const char* name) {
        return [=](const TestFolder& f, Session&) {
            QFile::remove(f.path(QString::fromLatin1(name)));
        };
    };
    const auto write = [](const char* name, QByteArray bytes) {
        return [=](const TestFolder& f, Session&) {
            TestFolder::Write(f.path(QString::fromLatin1(name)), bytes);
        };
    };
    const Case cases[] = {
        {"missing scoring file", 1, remove("DVQ3B.TXT"), "DVQ3B.TXT is missing"},
        {"scoring file ends early", 1, write("DVQ3B.TXT", "3,6,10\r\n"),
         "DVQ3B.TXT ends too early: the item number of status item 4 is missing."},
        {"scale 1 narrative missing", 1, remove("DVQ3VA.TXT"), "DVQ3VA.TXT is missing"},
        {"scale 2 narrative lacks the key", 1, write("DVQ3SC.TXT", "LOW RISK\r\ntext\r\nEND\r\n"),
         "DVQ3SC.TXT has no paragraph for \"MEDIUM-HIGH\"."},
        {"invalid-profile text missing", 2, remove("INVAL.TXT"), "INVAL.TXT is missing"},
        {"damaged record", 1, [](const TestFolder&, Session& s) { s.disk.Clients(1).Gender = "9"; },
         "the record of client 1 holds sex code \"9\""},
        {"client beyond the new one", 5, {}, kNoClientToScore.arg(5).arg(3)},
        {"no client", 0, {}, kNoClientToScore.arg(0).arg(3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        if (c.damage)
            c.damage(folder, session);
        session.CurClient = c.client;
        auto scored = ScoreClient(session);
        ASSERT_FALSE(scored);
        const QString message = scored.error().text();
        EXPECT_TRUE(message.startsWith(kScoringStopped)) << message.toStdString();
        EXPECT_TRUE(message.contains(c.message)) << message.toStdString();
        EXPECT_EQ(TestFolder::Read(folder.path("report.prn")), kPrevious);
        EXPECT_FALSE(programFiles().contains("report.prn.new"));
    }
}

TEST_F(ScoreClientTest, NarrativesAndInvalidTextAreNeededOnlyWhenTheReportPrintsThem) {
    struct Case {
        const char* missing;
        int client;
    };
    // An invalid profile prints no narrative, a valid one no invalid-profile text; scale 1 of
    // client 3 is not scored, so its narrative is not needed.
    for (const Case& c : {Case{"DVQ3VA.TXT", 2}, Case{"DVQ3SC.TXT", 2}, Case{"INVAL.TXT", 1},
                          Case{"DVQ3VA.TXT", 3}}) {
        SCOPED_TRACE(c.missing);
        InstallScoringFixtures(folder);
        QFile::remove(folder.path(c.missing));
        session.CurClient = c.client;
        auto scored = ScoreClient(session);
        EXPECT_TRUE(scored) << scored.error().text().toStdString();
    }
}

TEST_F(ScoreClientTest, ANewClientNotYetSavedCanBeScored) {
    session.CurClient = 4;
    session.disk.Clients(4) = ClientOf("valid");
    auto scored = ScoreClient(session);
    ASSERT_TRUE(scored);
    EXPECT_EQ(scored.value(), ReportFilePath());
    EXPECT_TRUE(ReadReportText().value().contains("(Test #4)"));
    EXPECT_EQ(session.disk.NumClients(), 3);
    // Nothing but the report is left in the program folder.
    EXPECT_FALSE(programFiles().contains("report.prn.new"));
}

TEST_F(ScoreClientTest, AReportThatCannotBeWrittenKeepsThePreviousOne) {
    for (DriveOp op : {DriveOp::Open, DriveOp::Write, DriveOp::Sync}) {
        DriveFaults faults;
        faults.fail(op, ENOSPC, "report.prn");
        auto scored = ScoreClient(session);
        ASSERT_FALSE(scored);
        EXPECT_EQ(scored.error().text(),
                  kScoringStopped + kReportNotWritten.arg("report.prn", "Error 61:Disk full"));
        EXPECT_EQ(TestFolder::Read(folder.path("report.prn")), kPrevious);
        EXPECT_FALSE(programFiles().contains("report.prn.new"));
    }
}
