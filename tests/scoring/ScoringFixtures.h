#pragma once

#include "TestFolder.h"

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

// The state every scoring test starts from: sections and code tables filled as at start-up,
// every table and result empty.
void ResetScoringWorld();

// The fixture's lines (CR LF removed) and the bytes of such lines, for faulty variants.
QStringList FixtureLines(const QString& name);
QByteArray JoinLines(const QStringList& lines);

} // namespace dvq3test
