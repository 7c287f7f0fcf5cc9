// The client file comes from a removable drive other stations wrote: any bytes must load through
// the station's own size-checked read, and every whole record must write back byte for byte.
#include "station/DataDisk.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir drive;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    dvq3::DataDisk disk;
    disk.SetDataDrive(drive.path());
    {
        QFile file(disk.ClientFile());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size())
            std::abort();
    }
    auto loaded = disk.LoadClients(dvq3::DataDisk::LoadMode::ReadOnly);
    if (!loaded)
        std::abort();
    const dvq3::ClientFileCheck& check = loaded.value();
    const qsizetype whole = bytes.size() / dvq3::ClientRecord::kLength;
    if (whole > dvq3::kMaxClients) {
        if (disk.NumClients() != 0 || check.problem != dvq3::ClientFileProblem::TooManyRecords)
            std::abort();
        return 0;
    }
    if (disk.NumClients() != whole)
        std::abort();
    const bool partial = bytes.size() % dvq3::ClientRecord::kLength != 0;
    if (partial != (check.problem == dvq3::ClientFileProblem::PartialRecord))
        std::abort();
    for (qsizetype i = 0; i < whole; ++i)
        if (disk.Clients(static_cast<int>(i + 1)).toBytes() !=
            bytes.mid(i * dvq3::ClientRecord::kLength, dvq3::ClientRecord::kLength))
            std::abort();
    return 0;
}
