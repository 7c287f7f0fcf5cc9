#include "records/ClientData.h"

#include "platform/DriveFile.h"


namespace dvq3 {

QString DataDrive = QStringLiteral("a:");
QString ClientFile;
QString TidFile;
std::array<ClientRecord, kMaxClients + 1> Clients;
qint16 NumClients = 0;
qint16 CurClient = 0;
bool ContinueFlag = false;
bool EditExisting = false;
bool FromScan = false;
qint16 CurNameDeleted = 0;

namespace {

constexpr qint64 kRecord = ClientRecord::kLength;

DriveError Refusal(const QString& message) {
    return {DriveError::kRefused, message};
}

QString PartialRecordText(qint64 length) {
    return QStringLiteral("The client file on this data disk is damaged: its length of %1 bytes "
                          "is not a whole number of %2-byte records.")
        .arg(length)
        .arg(kRecord);
}

QString ChangedText(qint64 length) {
    return QStringLiteral("The client file on this data disk has changed since it was loaded (it "
                          "now holds %1 records, %2 were loaded). Nothing was written to it; "
                          "select the data drive again to reload it.")
        .arg(length / kRecord)
        .arg(NumClients);
}

// Why a record cannot be written at index into a file of the given length, or empty.
QString WriteRefusal(qint16 index, qint64 length) {
    if (index == NumClients + 1 && index > kMaxClients)
        return DiskFullText();
    if (index < 1 || index > NumClients + 1)
        return QStringLiteral("Client number %1 is not on this data disk (it holds %2 clients).")
            .arg(index)
            .arg(NumClients);
    if (index == NumClients + 1) {
        // An append lands right after the last whole record: it must not overwrite the tail of
        // a damaged file nor a record another station appended since the load.
        if (length % kRecord != 0)
            return PartialRecordText(length) +
                   QStringLiteral("\rNothing was written to it; the client is still on screen.");
        if (length != (index - 1) * kRecord)
            return ChangedText(length);
    } else if (length < index * kRecord) {
        return ChangedText(length);
    }
    return {};
}

} // namespace

void ResetClientState() {
    DataDrive = QStringLiteral("a:");
    ClientFile.clear();
    TidFile.clear();
    Clients.fill(ClientRecord());
    NumClients = 0;
    CurClient = 0;
    ContinueFlag = false;
    EditExisting = false;
    FromScan = false;
    CurNameDeleted = 0;
}

void SetDataDrive(const QString& drive) {
    DataDrive = drive;
    ClientFile = drive + QStringLiteral("/DATA401.DVQ");
    TidFile = drive + QStringLiteral("/TID");
}

ClientFileContents ParseClientFile(const QByteArray& bytes) {
    ClientFileContents contents;
    const qint64 records = bytes.size() / kRecord;
    if (records > kMaxClients) {
        contents.check.problem = ClientFileProblem::TooManyRecords;
        contents.check.message = QStringLiteral("The client file on this data disk holds %1 "
                                                "records, more than the %2 clients a data disk "
                                                "can hold. It was not loaded and has not been "
                                                "changed.")
                                     .arg(records)
                                     .arg(kMaxClients);
        return contents;
    }
    for (qint64 i = 0; i < records; ++i)
        contents.records.push_back(ClientRecord::FromBytes(bytes.mid(i * kRecord, kRecord)));
    if (const qint64 extra = bytes.size() % kRecord) {
        contents.check.problem = ClientFileProblem::PartialRecord;
        contents.check.message = PartialRecordText(bytes.size()) +
                                 QStringLiteral("\rIts %1 whole records were loaded and the "
                                                "last %2 bytes were left as they are. No new "
                                                "client can be added to this disk.")
                                     .arg(records)
                                     .arg(extra);
    }
    return contents;
}

Result<ClientFileCheck> LoadClients() {
    // Opened for writing, as every later save will be: a missing file is created empty.
    auto bytes = ReadDriveFile(ClientFile, DriveFile::Mode::ReadWriteCreate);
    if (!bytes)
        return bytes.error();
    const ClientFileContents contents = ParseClientFile(bytes.value());
    Clients.fill(ClientRecord());
    for (std::size_t i = 0; i < contents.records.size(); ++i)
        Clients[i + 1] = contents.records[i];
    NumClients = static_cast<qint16>(contents.records.size());
    CurClient = NumClients > 0 ? 1 : 0;
    return contents.check;
}

Status SaveClient(qint16 index) {
    DriveFile file;
    if (auto opened = file.open(ClientFile, DriveFile::Mode::ReadWriteCreate); !opened)
        return opened;
    auto length = file.size();
    if (!length)
        return length.error();
    if (const QString refusal = WriteRefusal(index, length.value()); !refusal.isEmpty())
        return Refusal(refusal);

    const qint64 offset = (index - 1) * kRecord;
    Status written = file.writeAt(offset, Clients[index].toBytes());
    if (written)
        written = file.sync();
    if (!written) {
        // An append that failed part way must not leave a partial record behind.
        if (index == NumClients + 1)
            (void)file.truncate(length.value());
        return written;
    }
    return file.close();
}

QString DiskFullText() {
    return QStringLiteral("This data disk is full: it already holds %1 clients, the most a data "
                          "disk can hold. Use a new data disk for more clients.")
        .arg(kMaxClients);
}

void ClearClient() {
    Clients[CurClient] = ClientRecord();
}

void CommitNewClient() {
    ++NumClients;
}

} // namespace dvq3
