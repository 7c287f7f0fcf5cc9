// The scoring data file is text staff can edit: any bytes must either load into tables that
// score every client into percentiles 0 to 99 and an 80-column report, or be refused.
#include "reports/ReportWriter.h"
#include "scoring/ScoringEngine.h"
#include "scoring/ScoringTables.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

// A program folder holding the shipped report texts; the fuzzer supplies DVQ3B.TXT.
QString ProgramFolder() {
    static QTemporaryDir dir;
    static bool ready = [] {
        const QDir shipped(QStringLiteral(DVQ3_SHIPPED_DATA));
        for (const QString& name : shipped.entryList({"*.TXT"}, QDir::Files))
            QFile::copy(shipped.filePath(name), dir.filePath(name));
        return true;
    }();
    (void)ready;
    return dir.path();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString folder = ProgramFolder();
    QFile file(folder + QStringLiteral("/DVQ3B.TXT"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();

    auto tables = dvq3::LoadScoringTables(folder);
    if (!tables)
        return 0;
    // Score a client whose answers come from the input too, so every table is reached.
    dvq3::ClientRecord record;
    QString responses;
    for (int i = 0; i < 100; ++i) {
        const int highest = i < 29 ? 2 : 4;
        responses += QChar(u'0' + (size ? data[i % size] : 0) % (highest + 1));
    }
    record.set(&dvq3::ClientRecord::Responses, responses);
    for (auto field : {&dvq3::ClientRecord::Gender, &dvq3::ClientRecord::Race,
                       &dvq3::ClientRecord::Education, &dvq3::ClientRecord::Marital})
        record.set(field, QStringLiteral("1"));
    // A good record is never refused, and loaded tables never index outside their arrays.
    dvq3::Scores copied;
    if (!dvq3::GetClientData(record, 1, copied) || !dvq3::CheckTableIndexes(tables.value()))
        std::abort();
    auto scores = dvq3::Score(record, 1, tables.value());
    if (!scores)
        return 0; // a truth correction beyond 16 bits
    for (int s = 1; s <= 2; ++s)
        if (scores.value().Percentile[s] < 0 || scores.value().Percentile[s] > 99)
            std::abort();
    auto report = dvq3::BuildReport(scores.value(), tables.value(), 1);
    if (!report)
        return 0;
    for (const QByteArray& line : report.value().split('\n'))
        if (line.size() > 81) // 80 columns and the CR
            std::abort();
    return 0;
}
