#pragma once

#include "platform/DriveLock.h"
#include "platform/Error.h"
#include "station/ClientRecord.h"

#include <QString>

#include <array>
#include <vector>

namespace dvq3 {

// A data disk holds at most this many clients (records 1 to 51 of the table).
inline constexpr int kMaxClients = 51;

// What a load found wrong with a client file that was nevertheless readable.
enum class ClientFileProblem {
    None,
    TooManyRecords, // more records than a disk may hold: nothing loaded, the file left as it is
    PartialRecord,  // a length that is not a whole number of records: whole records loaded
};

struct ClientFileCheck {
    ClientFileProblem problem = ClientFileProblem::None;
    QString message; // what to tell the user, empty when there is no problem
};

// Splits the bytes of a client file into its records (index 0 of the result is record 1) and
// says what is wrong with it. A file of more records than a disk may hold gives no records.
struct ClientFileContents {
    std::vector<ClientRecord> records;
    ClientFileCheck check;
};
ClientFileContents ParseClientFile(const QByteArray& bytes);

// The message for a disk that already holds kMaxClients clients, and its title.
QString DiskFullText();
inline const QString kDiskFullTitle = QStringLiteral("Data Disk Full");
// A drive as the messages name it: a path as it is, a drive letter in upper case.
QString DriveName(const QString& drive);
// "No test information found on drive " and the drive's name.
QString NoTestInformationText(const QString& drive);

// The data drive in use and its client file, read whole into the table Clients: index i holds
// record i; index 0 is never stored; index NumClients + 1 holds a new client until its answers
// are saved. The file is opened and closed around every read or write, never through a link.
// The station holds the disk's lock while it uses the disk.
class DataDisk {
public:
    // The drive and the paths on it ("drive + "/" + name").
    const QString& DataDrive() const { return dataDrive_; }
    const QString& ClientFile() const { return clientFile_; }
    const QString& TidFile() const { return tidFile_; }
    const QString& LockFile() const { return lockFile_; }
    void SetDataDrive(const QString& drive);

    // Whether the lock of the disk now named by DataDrive is the one held.
    bool HoldsLock() const { return lock_.holds(lockFile_); }
    // Holds lock as the lock of the disk in use, giving up the one held before.
    void KeepLock(DriveLock lock) { lock_ = std::move(lock); }

    // Records in the file: clients whose answers have been saved.
    qint16 NumClients() const { return numClients_; }
    // Whether index names a record of the table: 0 (no client), a stored client, or the new
    // client at NumClients + 1 while the disk has room for it.
    bool IsTableIndex(int index) const;
    // The record at index; an index IsTableIndex refuses is a fault of the caller.
    ClientRecord& Clients(int index);
    const ClientRecord& Clients(int index) const;

    // Reads the whole client file into the table and sets NumClients. The station creates a
    // missing file empty, as every later save opens it for writing; a reader that must change
    // nothing gets error 53 instead. A file error leaves the table as it was; a file of more
    // records than a disk may hold leaves it empty.
    enum class LoadMode { CreateMissing, ReadOnly };
    Result<ClientFileCheck> LoadClients(LoadMode mode = LoadMode::CreateMissing);

    // Writes Clients(index) as record index, in place, and flushes it to the device; index
    // NumClients + 1 appends. The write is refused, with the file untouched, when index is not a
    // stored client or the new one, when the file no longer has the length the table expects
    // (damaged, or changed since the load), or when the record on disk is no longer the one
    // loaded or last saved here (another station wrote it). A failed write or flush puts the old
    // bytes back (an append is cut off again) and flushes again; the error says so when that
    // fails too. Success means the record reached the device; on any failure the record stays
    // in memory.
    Status SaveClient(int index);

    // Blanks every field of Clients(index) to spaces (no file access).
    void ClearClient(int index);
    // Counts the new client just appended by SaveClient(NumClients + 1).
    void CommitNewClient();

private:
    QString WriteRefusal(int index, qint64 length) const;

    QString dataDrive_ = QStringLiteral("a:");
    QString clientFile_;
    QString tidFile_;
    QString lockFile_;
    std::array<ClientRecord, kMaxClients + 1> clients_;
    // Each record's bytes as last read from the file or flushed to it: what a save expects to
    // find there.
    std::array<QByteArray, kMaxClients + 1> stored_;
    qint16 numClients_ = 0;
    DriveLock lock_;
};

} // namespace dvq3
