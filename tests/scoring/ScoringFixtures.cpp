#include "ScoringFixtures.h"

#include "platform/Codepage.h"
#include "records/CodeTables.h"
#include "scoring/ScoringEngine.h"
#include "scoring/ScoringTables.h"
#include "test/Questionnaire.h"

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

void ResetScoringWorld() {
    dvq3::ResetScoringTables();
    dvq3::ResetScoringState();
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
