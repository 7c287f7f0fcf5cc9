#include "reports/ScoreClient.h"

#include "records/Session.h"
#include "reports/ReportText.h"
#include "reports/ReportWriter.h"
#include "scoring/DataFileReader.h"
#include "scoring/ScoringEngine.h"
#include "scoring/ScoringTables.h"
#include "test/Questionnaire.h"

namespace dvq3 {
namespace {

Status Score(const Session& session) {
    const int CurClient = session.CurClient;
    if (CurClient < 1 || !session.disk.IsTableIndex(CurClient))
        return ScoringFault(QStringLiteral("there is no client %1 to score on this data disk (it "
                                           "holds %2 clients).")
                                .arg(CurClient)
                                .arg(session.disk.NumClients()));
    SetReportLabels();
    if (auto loaded = LoadScoringTables(); !loaded)
        return loaded;
    if (auto copied = GetClientData(session.CurrentClient(), CurClient); !copied)
        return copied;
    ScoreScales();
    if (auto computed = ComputePercentiles(); !computed)
        return computed;
    return WriteReport(ReportFilePath(), CurClient);
}

} // namespace

Result<QString> ScoreClient(const Session& session) {
    if (auto scored = Score(session); !scored) {
        // No caller may show the numbers of a client that could not be scored.
        ResetScoringState();
        return scored.error();
    }
    return ReportFilePath();
}

} // namespace dvq3
