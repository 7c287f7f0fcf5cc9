#include "station/DataDisk.h"

#include "platform/DriveFile.h"

#include <algorithm>
#include <cerrno>

namespace dvq3 {
namespace {

constexpr qint64 kRecord = ClientRecord::kLength;

QString PartialRecordText(qint64 length) {
    return QStringLiteral("The client file on this data disk is damaged: its length of %1 bytes "
                          "is not a whole number of %2-byte records.")
        .arg(length)
        .arg(kRecord);
}

QString ChangedText(qint64 length, int loaded) {
    return QStringLiteral("The client file on this data disk has been changed by another station "
                          "since it was loaded (it now holds %1 records, %2 were loaded). Nothing "
                          "was written to it; select the data drive again to reload it.")
        .arg(length / kRecord)
        .arg(loaded);
}

QString RecordChangedText(int index) {
    return QStringLiteral("Client %1's record on this data disk has been changed by another "
                          "station since it was loaded. Nothing was written to it; select the "
                          "data drive again to reload it.")
        .arg(index);
}

// A failed save whose undoing failed too: the disk may hold a record it never confirmed.
Error NotUndone(const Error& error, int index, bool append) {
    const QString told =
        append ? QStringLiteral("\r\rThe new record could not be taken off the end of the client "
                                "file either: the file may hold it although the disk did not "
                                "confirm it. Select the data drive again to reload it.")
               : QStringLiteral("\r\rThe old record of client %1 could not be put back either: "
                                "the client file may hold the new one although the disk did not "
                                "confirm it. Select the data drive again to reload it.")
                     .arg(index);
    if (!error.isDriveFault())
        return Error::Refusal(error.text() + told);
    return Error::DriveFault(error.number(), error.description() + told);
}

ClientFileCheck TooManyRecords(qint64 records) {
    return {ClientFileProblem::TooManyRecords,
            QStringLiteral("The client file on this data disk holds %1 records, more than the %2 "
                           "clients a data disk can hold. It was not loaded and has not been "
                           "changed.")
                .arg(records)
                .arg(kMaxClients)};
}

} // namespace

void DataDisk::SetDataDrive(const QString& drive) {
    dataDrive_ = drive;
    clientFile_ = drive + QStringLiteral("/DATA401.DVQ");
    tidFile_ = drive + QStringLiteral("/TID");
    lockFile_ = drive + QStringLiteral("/DATA401.LCK");
}

bool DataDisk::IsTableIndex(int index) const {
    return index >= 0 && index <= std::min(numClients_ + 1, kMaxClients);
}

ClientRecord& DataDisk::Clients(int index) {
    if (!IsTableIndex(index))
        MisuseAbort("a client index beyond the table");
    return clients_[static_cast<std::size_t>(index)];
}

const ClientRecord& DataDisk::Clients(int index) const {
    return const_cast<DataDisk*>(this)->Clients(index);
}

ClientFileContents ParseClientFile(const QByteArray& bytes) {
    ClientFileContents contents;
    const qint64 records = bytes.size() / kRecord;
    if (records > kMaxClients) {
        contents.check = TooManyRecords(records);
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

Result<ClientFileCheck> DataDisk::LoadClients(LoadMode mode) {
    DriveFile file;
    if (auto opened = file.open(clientFile_,
                                mode == LoadMode::CreateMissing ? DriveFile::Mode::ReadWriteCreate
                                                                : DriveFile::Mode::ReadOnly,
                                DriveFile::Links::Refuse);
        !opened)
        return opened.error();
    auto length = file.size();
    if (!length)
        return length.error();
    // The count is known from the length: an oversized file is never read into memory.
    ClientFileContents contents;
    QByteArray bytes;
    if (length.value() / kRecord > kMaxClients) {
        contents.check = TooManyRecords(length.value() / kRecord);
    } else {
        auto read = file.readAt(0, length.value());
        if (!read)
            return read.error();
        if (read.value().size() != length.value())
            return DriveErrorFromErrno(EIO); // the file shrank while it was read
        bytes = read.value();
        contents = ParseClientFile(bytes);
    }
    if (auto closed = file.close(); !closed)
        return closed.error();
    clients_.fill(ClientRecord());
    stored_.fill(QByteArray());
    for (std::size_t i = 0; i < contents.records.size(); ++i) {
        clients_[i + 1] = contents.records[i];
        stored_[i + 1] = bytes.mid(static_cast<qsizetype>(i) * kRecord, kRecord);
    }
    numClients_ = static_cast<qint16>(contents.records.size());
    return contents.check;
}

// Why a record cannot be written at index into a file of the given length, or empty.
QString DataDisk::WriteRefusal(int index, qint64 length) const {
    if (index == numClients_ + 1 && index > kMaxClients)
        return DiskFullText();
    if (index < 1 || index > numClients_ + 1)
        return QStringLiteral("Client number %1 is not on this data disk (it holds %2 clients).")
            .arg(index)
            .arg(numClients_);
    if (index == numClients_ + 1) {
        // An append lands right after the last whole record: it must not overwrite the tail of
        // a damaged file nor a record another station appended since the load.
        if (length % kRecord != 0)
            return PartialRecordText(length) +
                   QStringLiteral("\rNothing was written to it; the client is still on screen.");
        if (length != (index - 1) * kRecord)
            return ChangedText(length, numClients_);
    } else if (length < index * kRecord) {
        return ChangedText(length, numClients_);
    }
    return {};
}

Status DataDisk::SaveClient(int index) {
    DriveFile file;
    if (auto opened =
            file.open(clientFile_, DriveFile::Mode::ReadWriteCreate, DriveFile::Links::Refuse);
        !opened)
        return opened;
    auto length = file.size();
    if (!length)
        return length.error();
    if (const QString refusal = WriteRefusal(index, length.value()); !refusal.isEmpty())
        return Error::Refusal(refusal);

    const auto at = static_cast<std::size_t>(index);
    const qint64 offset = (index - 1) * kRecord;
    const bool append = index == numClients_ + 1;
    QByteArray before;
    if (!append) {
        // Another station's save since the load is never overwritten; the bytes read are also
        // what a write that fails part way puts back.
        auto read = file.readAt(offset, kRecord);
        if (!read)
            return read.error();
        before = read.value();
        if (before != stored_[at])
            return Error::Refusal(RecordChangedText(index));
    }
    const QByteArray record = clients_[at].toBytes();
    Status written = file.writeAt(offset, record);
    if (written)
        written = file.sync();
    if (!written) {
        // A flush that failed leaves the record in the page cache only: what the file seems to
        // hold then is not what the device holds. The old bytes go back and are flushed again.
        Status undone = append ? file.truncate(length.value()) : file.writeAt(offset, before);
        if (undone)
            undone = file.sync();
        return undone ? written.error() : NotUndone(written.error(), index, append);
    }
    stored_[at] = record;
    // The record has reached the device: a failure to close the file loses nothing.
    (void)file.close();
    return {};
}

QString DiskFullText() {
    return QStringLiteral("This data disk is full: it already holds %1 clients, the most a data "
                          "disk can hold. Use a new data disk for more clients.")
        .arg(kMaxClients);
}

QString DriveName(const QString& drive) {
    // Letter case matters in a path; only a drive letter such as "a:" is shown as "A:".
    const bool letter = drive.size() == 2 && drive[0].isLetter() && drive[1] == u':';
    return letter ? drive.toUpper() : drive;
}

QString NoTestInformationText(const QString& drive) {
    return QStringLiteral("No test information found on drive ") + DriveName(drive);
}

void DataDisk::ClearClient(int index) {
    Clients(index) = ClientRecord();
}

void DataDisk::CommitNewClient() {
    if (numClients_ >= kMaxClients)
        MisuseAbort("a new client counted on a full disk");
    ++numClients_;
}

} // namespace dvq3
