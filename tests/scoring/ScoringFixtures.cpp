#include "ScoringFixtures.h"

#include "platform/Codepage.h"

#include <gtest/gtest.h>

namespace dvq3test {

QStringList ScoringFileNames() {
    return {"DVQ3RPT.TXT", "DVQ3B.TXT", "DVQ3VA.TXT", "DVQ3SC.TXT", "INVAL.TXT"};
}

QByteArray ScoringFixture(const QString& name) {
    return TestFolder::Read(SourceFolder() + "/tests/scoring/fixtures/" + name);
}

void InstallScoringFixtures(const TestFolder& folder) {
    for (const QString& name : ScoringFileNames())
        TestFolder::Write(folder.path(name), ScoringFixture(name));
}

dvq3::ScoringTables FixtureTables(const TestFolder& folder) {
    auto tables = dvq3::LoadScoringTables(folder.program());
    EXPECT_TRUE(tables) << tables.error().text().toStdString();
    return tables ? tables.value() : dvq3::ScoringTables();
}

QStringList FixtureLines(const QString& name) {
    QStringList lines = dvq3::DecodeAnsi(ScoringFixture(name)).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

QByteArray JoinLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += dvq3::EncodeAnsi(line) + "\r\n";
    return bytes;
}

} // namespace dvq3test
