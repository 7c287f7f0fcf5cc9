#pragma once

#include "TestFolder.h"
#include "scoring/ScoringTables.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace dvq3test {

// The scoring and report text files of the tests (tests/scoring/fixtures): realistic content of
// our own, independent of the files shipped with the station.
QStringList ScoringFileNames();
QByteArray ScoringFixture(const QString& name);
// Copies every fixture file into the test's program folder.
void InstallScoringFixtures(const TestFolder& folder);
// The tables of the fixture files installed in folder (the test fails when they do not load).
dvq3::ScoringTables FixtureTables(const TestFolder& folder);

// The fixture's lines (CR LF removed) and the bytes of such lines, for faulty variants.
QStringList FixtureLines(const QString& name);
QByteArray JoinLines(const QStringList& lines);

} // namespace dvq3test
