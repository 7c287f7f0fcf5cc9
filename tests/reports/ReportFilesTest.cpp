// Whole reports, byte for byte, against the files in tests/reports/expected. Those files were
// checked column by column against the report layout; set DVQ3_UPDATE_EXPECTED=1 to rewrite
// them after a deliberate layout change, and check them again by reading.
#include "ReportClients.h"
#include "ScoringFixtures.h"
#include "reports/ScoreClient.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace dvq3;
using namespace dvq3test;

// Every client of one run is scored with the tables loaded once, and the first client again at
// the end: nothing of one client may reach the next one's report.
TEST(ReportFiles, WholeReportsMatchTheExpectedFiles) {
    const bool update = qEnvironmentVariableIsSet("DVQ3_UPDATE_EXPECTED");
    TestFolder folder;
    InstallScoringFixtures(folder);
    const ScoringTables tables = FixtureTables(folder);
    std::vector<ReportClient> clients = ReportClients();
    clients.push_back(clients.front());
    for (const ReportClient& client : clients) {
        SCOPED_TRACE(client.report);
        auto scored = ScoreClient(client.record, client.number, tables);
        ASSERT_TRUE(scored) << scored.error().text().toStdString();
        EXPECT_EQ(scored.value(), folder.path("report.prn"));
        EXPECT_EQ(TestFolder::Mode(scored.value()), 0600); // confidential: its user's alone
        const QByteArray actual = TestFolder::Read(folder.path("report.prn"));
        if (update)
            TestFolder::Write(SourceFolder() + "/tests/reports/expected/" + client.report + ".prn",
                              actual);
        const QByteArray expected = ExpectedReport(client.report, client.number);
        ASSERT_FALSE(expected.isEmpty());
        // Compared as text, a failure shows the lines that differ.
        EXPECT_EQ(actual.toStdString(), expected.toStdString());
    }
}
