#pragma once

#include "TestFolder.h"
#include "scoring/ScoringTables.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace dvq3test {

// The scoring and report text files of the tests (tests/scoring/fixtures): realistic content of
// our own, independent of the files shipped with the station.
// Copies every fixture file into the test's program folder.
void InstallScoringFixtures(const TestFolder& folder);
// The tables of the fixture files installed in folder (the test fails when they do not load).
dvq3::ScoringTables FixtureTables(const TestFolder& folder);

// The fixture's lines (CR LF removed) and the bytes of such lines, for faulty variants.
QStringList FixtureLines(const QString& name);
QByteArray JoinLines(const QStringList& lines);

// The text of the fault of kind that stopped result; a failure, and no text, when none did.
template <class Result>
QString FaultText(const Result& result, dvq3::Error::Kind kind = dvq3::Error::Kind::DataFileFault) {
    if (result) {
        ADD_FAILURE() << "no fault";
        return {};
    }
    EXPECT_EQ(result.error().kind(), kind);
    return result.error().text();
}
// For EXPECT_PRED2, which prints both texts when they do not match.
inline bool StartsWith(const QString& text, const QString& start) {
    return text.startsWith(start);
}
inline bool Contains(const QString& text, const QString& part) {
    return text.contains(part);
}

} // namespace dvq3test
