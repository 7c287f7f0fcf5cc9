#include "reports/ScoreClient.h"

#include "platform/ProgramFolder.h"
#include "reports/ReportText.h"
#include "reports/ReportWriter.h"
#include "scoring/DataFileReader.h"
#include "scoring/ScoringEngine.h"
#include "scoring/ScoringMessages.h"
#include "station/Session.h"

namespace dvq3 {
namespace {

Status CheckCurrentClient(const Session& session) {
    const int CurClient = session.CurClient;
    if (CurClient < 1 || !session.disk.IsTableIndex(CurClient))
        return ScoringFault(kNoClientToScore.arg(CurClient).arg(session.disk.NumClients()));
    return {};
}

} // namespace

Result<QString> ScoreClient(const ClientRecord& record, int testNumber,
                            const ScoringTables& tables) {
    auto scores = Score(record, testNumber, tables);
    if (!scores)
        return scores.error();
    auto report = BuildReport(scores.value(), tables, testNumber);
    if (!report)
        return report.error();
    const QString path = ReportFilePath();
    if (auto written = WriteReport(path, report.value()); !written)
        return written.error();
    return path;
}

Result<QString> ScoreClient(const Session& session, const ScoringTables& tables) {
    if (auto checked = CheckCurrentClient(session); !checked)
        return checked.error();
    return ScoreClient(session.CurrentClient(), session.CurClient, tables);
}

Result<QString> ScoreClient(const Session& session) {
    if (auto checked = CheckCurrentClient(session); !checked)
        return checked.error();
    auto tables = LoadProgramScoringTables();
    if (!tables)
        return tables.error();
    return ScoreClient(session.CurrentClient(), session.CurClient, tables.value());
}

Result<ScoringTables> LoadProgramScoringTables() {
    return LoadScoringTables(ProgramFolder());
}

} // namespace dvq3
