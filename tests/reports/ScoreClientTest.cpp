#include "reports/ScoreClient.h"
#include "DriveFaults.h"
#include "ReportClients.h"
#include "ScoringFixtures.h"
#include "records/DataDisk.h"
#include "reports/ReportText.h"
#include "scoring/ScoringEngine.h"

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

struct ScoreClientTest : ::testing::Test {
    TestFolder folder;
    void SetUp() override {
        InstallScoringFixtures(folder);
        TestFolder::Write(folder.path("report.prn"), kPrevious);
        NumClients = 3;
        Clients[1] = ClientOf("valid");
        Clients[2] = ClientOf("invalid");
        Clients[3] = ClientOf("omissions");
        CurClient = 1;
    }
    QStringList programFiles() const {
        return QDir(folder.program()).entryList(QDir::Files, QDir::Name);
    }
};

} // namespace

TEST_F(ScoreClientTest, LeavesTheResultsForTheCallerAndTheRecordAsItWas) {
    const ClientRecord before = Clients[1];
    auto scored = ScoreClient();
    ASSERT_TRUE(scored) << scored.error().text().toStdString();
    EXPECT_EQ(RawScore[1], 3);
    EXPECT_EQ(Percentile[1], 22);
    EXPECT_EQ(RawScore[2], 48);
    EXPECT_EQ(Percentile[2], 60);
    EXPECT_EQ(Clients[1], before);
    EXPECT_EQ(NumClients, 3);
    auto text = ReadReportText();
    ASSERT_TRUE(text);
    EXPECT_TRUE(text.value().startsWith("\r\n"));
    EXPECT_EQ(text.value().count(QChar(12)), 1);
    EXPECT_TRUE(text.value().endsWith("\r\n"));
    // Nothing but the report is left in the program folder.
    EXPECT_FALSE(programFiles().contains("report.prn.new"));
}

TEST_F(ScoreClientTest, FaultsLeaveThePreviousReportAndNoNumbers) {
    struct Case {
        const char* name;
        int client;
        std::function<void(const TestFolder&)> damage;
        const char* message;
    };
    const auto remove = [](const char* name) {
        return [=](const TestFolder& f) { QFile::remove(f.path(QString::fromLatin1(name))); };
    };
    const auto write = [](const char* name, QByteArray bytes) {
        return [=](const TestFolder& f) {
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
        {"narrative without END", 1, write("DVQ3VA.TXT", "LOW RISK\r\ntext\r\n"),
         "DVQ3VA.TXT has no \"END\" line after the paragraph \"LOW RISK\"."},
        {"invalid-profile text missing", 2, remove("INVAL.TXT"), "INVAL.TXT is missing"},
        {"invalid-profile text without END", 2, write("INVAL.TXT", "INVALID\r\n"),
         "INVAL.TXT has no \"END\" line after its text."},
        {"damaged record", 1, [](const TestFolder&) { Clients[1].Gender = "9"; },
         "the record of client 1 holds sex code \"9\""},
        {"client beyond the new one", 5, {}, "there is no client 5 to score"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        if (c.damage)
            c.damage(folder);
        CurClient = static_cast<qint16>(c.client);
        const ClientRecord before = Clients[std::max(c.client, 0)];
        auto scored = ScoreClient();
        ASSERT_FALSE(scored);
        const QString message = scored.error().text();
        EXPECT_TRUE(message.startsWith("Scoring stopped: ")) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.message))) << message.toStdString();
        EXPECT_EQ(TestFolder::Read(folder.path("report.prn")), kPrevious);
        EXPECT_FALSE(programFiles().contains("report.prn.new"));
        EXPECT_EQ(Clients[std::max(c.client, 0)], before);
        EXPECT_EQ(RawScore[1], 0);
        EXPECT_EQ(Percentile[1], 0);
    }
}

TEST_F(ScoreClientTest, NarrativesAndInvalidTextAreReadOnlyWhenTheReportNeedsThem) {
    // An invalid profile prints no narrative; a valid one no invalid-profile text.
    QFile::remove(folder.path("DVQ3VA.TXT"));
    QFile::remove(folder.path("DVQ3SC.TXT"));
    CurClient = 2;
    EXPECT_TRUE(ScoreClient());
    InstallScoringFixtures(folder);
    QFile::remove(folder.path("INVAL.TXT"));
    CurClient = 1;
    EXPECT_TRUE(ScoreClient());
    // Scale 1 of client 3 is not scored, so its narrative file is not needed.
    QFile::remove(folder.path("DVQ3VA.TXT"));
    CurClient = 3;
    auto scored = ScoreClient();
    EXPECT_TRUE(scored) << scored.error().text().toStdString();
}

TEST_F(ScoreClientTest, ANewClientNotYetSavedCanBeScored) {
    Clients[4] = ClientOf("valid");
    CurClient = 4;
    EXPECT_TRUE(ScoreClient());
    EXPECT_TRUE(ReadReportText().value().contains("(Test #4)"));
}

TEST_F(ScoreClientTest, AReportThatCannotBeWrittenKeepsThePreviousOne) {
    for (DriveOp op : {DriveOp::Open, DriveOp::Write, DriveOp::Sync}) {
        DriveFaults faults;
        faults.fail(op, ENOSPC, "report.prn");
        auto scored = ScoreClient();
        ASSERT_FALSE(scored);
        EXPECT_EQ(
            scored.error().text(),
            QStringLiteral("Scoring stopped: the report file report.prn could not be "
                           "written (Error 61:Disk full); the previous report is unchanged."));
        EXPECT_EQ(TestFolder::Read(folder.path("report.prn")), kPrevious);
        EXPECT_FALSE(programFiles().contains("report.prn.new"));
    }
}
