// Loading a full data disk and saving one record, as the station does at every drive check and
// every confirmed window.
#include "station/DataDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct FullDisk {
    QTemporaryDir dir;
    dvq3::DataDisk disk;
    FullDisk() {
        disk.SetDataDrive(dir.path());
        QFile file(disk.ClientFile());
        file.open(QIODevice::WriteOnly);
        dvq3::ClientRecord record;
        record.set(&dvq3::ClientRecord::Name, "Bench Client");
        record.set(&dvq3::ClientRecord::Responses, QString(100, u'1'));
        for (int i = 0; i < dvq3::kMaxClients; ++i)
            file.write(record.toBytes());
    }
};

void LoadFullDisk(benchmark::State& state) {
    FullDisk full;
    for (auto _ : state) {
        auto loaded = full.disk.LoadClients();
        benchmark::DoNotOptimize(loaded.ok());
    }
}
BENCHMARK(LoadFullDisk);

void SaveOneRecord(benchmark::State& state) {
    FullDisk full;
    (void)full.disk.LoadClients();
    for (auto _ : state) {
        auto saved = full.disk.SaveClient(26);
        benchmark::DoNotOptimize(saved.ok());
    }
}
BENCHMARK(SaveOneRecord);

} // namespace

BENCHMARK_MAIN();
