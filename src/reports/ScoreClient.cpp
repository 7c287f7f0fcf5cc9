#include "reports/ScoreClient.h"

#include "records/ClientData.h"
#include "records/CodeTables.h"
#include "reports/ReportText.h"
#include "reports/ReportWriter.h"
#include "scoring/DataFileReader.h"
#include "scoring/ScoringEngine.h"
#include "scoring/ScoringTables.h"
#include "test/TestSpec.h"

namespace dvq3 {
namespace {

Status Score() {
    // Start-up fills these; a caller that has not been through it still gets a true report.
    if (SectionStart[kSectionCount] != kItemCount)
        InitSectionStarts();
    if (GenderNames[0].isEmpty())
        InitCodeTables();

    const int lastClient = std::min<int>(NumClients + 1, kMaxClients);
    if (CurClient < 1 || CurClient > lastClient)
        return ScoringFault(QStringLiteral("there is no client %1 to score on this data disk (it "
                                           "holds %2 clients).")
                                .arg(CurClient)
                                .arg(NumClients));
    SetReportLabels();
    if (auto loaded = LoadScoringTables(); !loaded)
        return loaded;
    if (auto copied = GetClientData(); !copied)
        return copied;
    ScoreScales();
    if (auto computed = ComputePercentiles(); !computed)
        return computed;
    return WriteReport(ReportFilePath(), CurClient);
}

} // namespace

Result<QString> ScoreClient() {
    if (auto scored = Score(); !scored) {
        // No caller may show the numbers of a client that could not be scored.
        ResetScoringState();
        return scored.error();
    }
    return ReportFilePath();
}

} // namespace dvq3
