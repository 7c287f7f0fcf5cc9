#pragma once

#include "platform/Error.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace dvq3 {

// The operations of the file layer, named so that tests can make any one of them fail.
enum class DriveOp {
    Open,
    Read,
    Write,
    Sync,
    Truncate,
    Close,
    Remove,
    Stat,
    Rename,
    SyncFolder,
    Lock
};

// Test seam: called before every operation; a non-zero errno makes that operation fail with it.
// Tests run as root, so permission bits alone cannot make a drive read-only.
using DriveFaultHook = std::function<int(DriveOp op, const QString& path)>;
void SetDriveFaultHook(DriveFaultHook hook);

// Who may read a file the station creates: its user only (anything that may hold client data:
// client files, reports, their PDFs, scanned sheets) or everyone (settings, the question
// database, voice prompts, the blank answer sheet).
inline constexpr int kPrivateFile = 0600;
inline constexpr int kSharedFile = 0644;

// One open file on the data drive (or in the program folder). It is opened, used and closed
// within one operation (the data disk's lock file excepted); every failure comes back as an
// Error mapped from errno. Only regular files are opened: a folder, device or named pipe is
// refused before anything is read, and opening never waits for a pipe's writer. A path holding
// a NUL character is refused before it reaches the system, which would cut it short there.
class DriveFile {
public:
    enum class Mode {
        ReadOnly,
        ReadWriteCreate,
        WriteTruncateCreate,
        CreateNew, // a file that must not exist yet, not even as a link
    };
    // Whether a symbolic link at the path itself is followed. The data disk's own files refuse
    // one, as they refuse any other file that is not a regular file: a write through a link
    // would land outside the disk.
    enum class Links { Follow, Refuse };

    DriveFile() = default;
    ~DriveFile();
    DriveFile(const DriveFile&) = delete;
    DriveFile& operator=(const DriveFile&) = delete;

    // permissions: those of a file the open creates, less the umask. Client data is kept from
    // other users by default; a file created with CreateNew is held with an advisory lock until
    // it is closed, so nobody takes it for a dead writer's leftover.
    Status open(const QString& path, Mode mode, Links links = Links::Follow,
                int permissions = kPrivateFile);
    Result<qint64> size();
    Result<QByteArray> readAt(qint64 offset, qint64 length);
    // Writes all of bytes at offset; a short write is reported as a full disk.
    Status writeAt(qint64 offset, const QByteArray& bytes);
    // Pushes written data to the device, so pulling the drive afterwards loses nothing.
    Status sync();
    Status truncate(qint64 length);
    Status close();

    // Takes an exclusive advisory lock on the whole file without waiting (the file must be open
    // for writing); false when another open of the file holds one, in this process or another,
    // on this machine or, over a network folder, on another. The lock lasts until close.
    Result<bool> tryLock();
    // Whether another open of the file holds a lock; asks without taking one, so it works on a
    // file opened read-only.
    Result<bool> lockedElsewhere();
    // Whether path names this very file (not a copy, nor a file put in its place since).
    bool isAt(const QString& path) const;

private:
    Status fault(DriveOp op) const;

    int fd_ = -1;
    QString path_;
};

// Whole-file helpers built on DriveFile.

// The largest file the station reads whole unless told otherwise: far more than any of its
// text files, far less than would strain memory.
inline constexpr qint64 kMaxWholeFile = 4 * 1024 * 1024;

// Reads a whole file; ReadWriteCreate creates a missing file (empty) and fails on a drive that
// cannot be written. A file larger than maxBytes is refused before anything is read. A file
// that shrinks while it is read is a device error.
Result<QByteArray> ReadDriveFile(const QString& path,
                                 DriveFile::Mode mode = DriveFile::Mode::ReadOnly,
                                 qint64 maxBytes = kMaxWholeFile,
                                 DriveFile::Links links = DriveFile::Links::Follow);
// Creates path, which must not exist yet (not even as a link), writes bytes and flushes them (the
// data drive's scratch file). A failure after the file was created removes it again.
Status WriteDriveFile(const QString& path, const QByteArray& bytes);
// What ReplaceFile did: whether the new file took the old one's place, and the fault that
// stopped it, if any. A fault after the rename (the folder not flushed) leaves the new file in
// place. It converts to the Status of the whole operation.
struct [[nodiscard]] Replacement {
    Status status;
    bool replaced = false;

    explicit operator bool() const { return status.ok(); }
    operator Status() const { return status; }
    const Error& error() const { return status.error(); }
};

// Replaces the file at path whole: the bytes go to a new temporary file beside it (created
// exclusively, never through a link), are flushed to the device, and the temporary file is
// renamed over path; then the folder is flushed. A fault at any step before the rename leaves the
// old file as it was and no temporary file behind. Two writers at once each land whole, the
// later one last. The new file gets permissions, or the old file's where those are stricter.
// Temporaries of path left by a writer that was killed are removed first.
Replacement ReplaceFile(const QString& path, const QByteArray& bytes,
                        int permissions = kSharedFile);
// Removes the temporaries of path that ReplaceFile left behind in a process that has ended (a
// killed writer): only files of the current user that no live writer holds.
void RemoveDeadTemporaries(const QString& path);
// Creates folder and any missing folder above it, each readable by the current user only; a
// folder that is there already is left as it is.
Status MakePrivateFolder(const QString& folder);

// Whether files can be created in folder (a read-only mount or folder says no). Goes through
// the fault seam as an Open of folder + "/.".
bool FolderWritable(const QString& folder);

// The message for a path that is not a regular file.
QString NotARegularFileText(const QString& path);
// Whether path holds a NUL character: no file name can, and the system would take the path as
// ending there, so such a path is never used.
bool HoldsNul(const QString& path);
// The message for a path holding a NUL character; the NUL is shown as \0.
QString NulPathText(const QString& path);
// The message for a file larger than the station reads.
QString FileTooLargeText(const QString& path, qint64 size);

// File names as the file system holds them: bytes that are not UTF-8 survive the trip through
// a QString and back (each byte of 0x80 or above stands for itself as U+DC00 + byte), so any
// existing name can be used.
QString PathFromNative(const QByteArray& native);
QByteArray NativePath(const QString& path);
Result<bool> DriveFileExists(const QString& path);
Status RemoveDriveFile(const QString& path);

} // namespace dvq3
