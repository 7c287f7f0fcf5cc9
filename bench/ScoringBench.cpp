// Scoring a full data disk and writing each client's report, as printing all reports does: the
// tables read once, then 51 reports. The file writes flush each report to the device, so the
// scoring and report building are also measured in memory, and the writes alone.
#include "platform/ProgramFolder.h"
#include "reports/ReportText.h"
#include "reports/ReportWriter.h"
#include "reports/ScoreClient.h"
#include "scoring/ScoringEngine.h"
#include "station/Questionnaire.h"
#include "station/Session.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A program folder holding the shipped scoring and report files, and 51 clients whose answers
// cover every range of both reported scales.
struct FullDisk {
    QTemporaryDir dir;
    dvq3::Session session;
    FullDisk() {
        qputenv("DVQ3_PROGRAM_FOLDER", dir.path().toLocal8Bit());
        for (const char* name :
             {"DVQ3RPT.TXT", "DVQ3B.TXT", "DVQ3VA.TXT", "DVQ3SC.TXT", "INVAL.TXT"})
            QFile::copy(QStringLiteral(DVQ3_SOURCE_DIR "/data/scoring/") + name,
                        dir.path() + u'/' + QString::fromLatin1(name));
        quint32 seed = 20261106;
        const auto next = [&seed](int range) {
            seed = seed * 1664525u + 1013904223u;
            return static_cast<int>((seed >> 16) % static_cast<quint32>(range));
        };
        QFile clients(dir.path() + QStringLiteral("/DATA401.DVQ"));
        clients.open(QIODevice::WriteOnly);
        for (int client = 1; client <= dvq3::kMaxClients; ++client) {
            QString responses;
            for (int item = 1; item <= dvq3::kItemCount; ++item)
                responses += QChar(u'0' + 1 + next(item <= 29 ? 2 : 4));
            dvq3::ClientRecord record;
            record.set(&dvq3::ClientRecord::Name, QStringLiteral("Bench Client %1").arg(client));
            record.set(&dvq3::ClientRecord::Gender, QString::number(next(3)));
            record.set(&dvq3::ClientRecord::Race, QString::number(next(7)));
            record.set(&dvq3::ClientRecord::DUIArrests, QString::number(next(4)));
            record.set(&dvq3::ClientRecord::Responses, responses);
            clients.write(record.toBytes());
        }
        clients.close();
        session.disk.SetDataDrive(dir.path());
        (void)session.LoadClients();
    }
};

void ScoreAndWriteFullDisk(benchmark::State& state) {
    FullDisk disk;
    for (auto _ : state) {
        auto tables = dvq3::LoadProgramScoringTables();
        if (!tables) {
            state.SkipWithError(tables.error().text().toStdString().c_str());
            return;
        }
        for (int client = 1; client <= dvq3::kMaxClients; ++client) {
            disk.session.CurClient = client;
            auto scored = dvq3::ScoreClient(disk.session, tables.value());
            if (!scored) {
                state.SkipWithError(scored.error().text().toStdString().c_str());
                return;
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * dvq3::kMaxClients);
}
BENCHMARK(ScoreAndWriteFullDisk)->Unit(benchmark::kMillisecond);

void ScoreAndBuildInMemory(benchmark::State& state) {
    FullDisk disk;
    for (auto _ : state) {
        auto tables = dvq3::LoadProgramScoringTables();
        for (int client = 1; client <= dvq3::kMaxClients; ++client) {
            auto scores = dvq3::Score(disk.session.disk.Clients(client), client, tables.value());
            auto report = dvq3::BuildReport(scores.value(), tables.value(), client);
            benchmark::DoNotOptimize(report.value().size());
        }
    }
    state.SetItemsProcessed(state.iterations() * dvq3::kMaxClients);
}
BENCHMARK(ScoreAndBuildInMemory)->Unit(benchmark::kMillisecond);

void WriteReportFiles(benchmark::State& state) {
    FullDisk disk;
    auto tables = dvq3::LoadProgramScoringTables();
    auto scores = dvq3::Score(disk.session.disk.Clients(1), 1, tables.value());
    const QByteArray report = dvq3::BuildReport(scores.value(), tables.value(), 1).value();
    for (auto _ : state)
        for (int client = 1; client <= dvq3::kMaxClients; ++client)
            if (!dvq3::WriteReport(dvq3::ReportFilePath(), report)) {
                state.SkipWithError("the report could not be written");
                return;
            }
    state.SetItemsProcessed(state.iterations() * dvq3::kMaxClients);
}
BENCHMARK(WriteReportFiles)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
