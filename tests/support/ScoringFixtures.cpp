#include "ScoringFixtures.h"

#include "platform/Codepage.h"

#include <QDir>

#include <gtest/gtest.h>

namespace dvq3test {
namespace {

QString FixturePath(const QString& name) {
    return SourceFolder() + "/tests/scoring/fixtures/" + name;
}

} // namespace

void InstallScoringFixtures(const TestFolder& folder) {
    for (const QString& name : QDir(FixturePath({})).entryList({"*.TXT"}, QDir::Files))
        TestFolder::Write(folder.path(name), TestFolder::Read(FixturePath(name)));
}

dvq3::ScoringTables FixtureTables(const TestFolder& folder) {
    auto tables = dvq3::LoadScoringTables(folder.program());
    EXPECT_TRUE(tables) << tables.error().text().toStdString();
    return tables ? tables.value() : dvq3::ScoringTables();
}

QStringList FixtureLines(const QString& name) {
    QStringList lines = dvq3::DecodeAnsi(TestFolder::Read(FixturePath(name))).split("\r\n");
    lines.removeLast();
    return lines;
}

QByteArray JoinLines(const QStringList& lines) {
    return dvq3::EncodeAnsi(lines.join("\r\n") + "\r\n");
}

} // namespace dvq3test
