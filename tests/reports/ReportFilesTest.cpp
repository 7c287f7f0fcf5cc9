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

namespace {

QString ExpectedPath(const char* report) {
    return SourceFolder() + "/tests/reports/expected/" + QString::fromLatin1(report) + ".prn";
}

// The first line where two reports differ, for the failure message.
std::string FirstDifference(const QByteArray& actual, const QByteArray& expected) {
    const QList<QByteArray> a = actual.split('\n');
    const QList<QByteArray> e = expected.split('\n');
    for (qsizetype i = 0; i < std::max(a.size(), e.size()); ++i)
        if (a.value(i) != e.value(i))
            return "line " + std::to_string(i + 1) + "\n  actual:   [" + a.value(i).toStdString() +
                   "]\n  expected: [" + e.value(i).toStdString() + "]";
    return {};
}

} // namespace

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
        const QByteArray actual = TestFolder::Read(folder.path("report.prn"));
        if (update)
            TestFolder::Write(ExpectedPath(client.report), actual);
        const QByteArray expected = TestFolder::Read(ExpectedPath(client.report));
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_TRUE(actual == expected) << FirstDifference(actual, expected);
    }
}
