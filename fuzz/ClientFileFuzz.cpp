// The client file comes from a removable drive other stations wrote: any bytes must load, and
// every whole record must write back byte for byte.
#include "records/DataDisk.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const dvq3::ClientFileContents contents = dvq3::ParseClientFile(bytes);
    const qsizetype whole = bytes.size() / dvq3::ClientRecord::kLength;
    if (whole > dvq3::kMaxClients) {
        if (!contents.records.empty() ||
            contents.check.problem != dvq3::ClientFileProblem::TooManyRecords)
            std::abort();
        return 0;
    }
    if (static_cast<qsizetype>(contents.records.size()) != whole)
        std::abort();
    const bool partial = bytes.size() % dvq3::ClientRecord::kLength != 0;
    if (partial != (contents.check.problem == dvq3::ClientFileProblem::PartialRecord))
        std::abort();
    for (qsizetype i = 0; i < whole; ++i)
        if (contents.records[i].toBytes() !=
            bytes.mid(i * dvq3::ClientRecord::kLength, dvq3::ClientRecord::kLength))
            std::abort();
    return 0;
}
