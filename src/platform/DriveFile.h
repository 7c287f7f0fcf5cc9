#pragma once

#include "platform/Error.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace dvq3 {

// The operations of the file layer, named so that tests can make any one of them fail.
enum class DriveOp { Open, Read, Write, Sync, Truncate, Close, Remove, Stat };

// Test seam: called before every operation; a non-zero errno makes that operation fail with it.
// Tests run as root, so permission bits alone cannot make a drive read-only.
using DriveFaultHook = std::function<int(DriveOp op, const QString& path)>;
void SetDriveFaultHook(DriveFaultHook hook);

// One open file on the data drive. It is opened, used and closed within one operation; every
// failure comes back as a Error mapped from errno.
class DriveFile {
public:
    enum class Mode { ReadOnly, ReadWriteCreate, WriteTruncateCreate };

    DriveFile() = default;
    ~DriveFile();
    DriveFile(const DriveFile&) = delete;
    DriveFile& operator=(const DriveFile&) = delete;

    Status open(const QString& path, Mode mode);
    Result<qint64> size();
    Result<QByteArray> readAt(qint64 offset, qint64 length);
    // Writes all of bytes at offset; a short write is reported as a full disk.
    Status writeAt(qint64 offset, const QByteArray& bytes);
    // Pushes written data to the device, so pulling the drive afterwards loses nothing.
    Status sync();
    Status truncate(qint64 length);
    Status close();

private:
    Status fault(DriveOp op) const;

    int fd_ = -1;
    QString path_;
};

// Whole-file helpers built on DriveFile.
// Reads a whole file; ReadWriteCreate creates a missing file (empty) and fails on a drive that
// cannot be written. A file that shrinks while it is read is a device error.
Result<QByteArray> ReadDriveFile(const QString& path,
                                 DriveFile::Mode mode = DriveFile::Mode::ReadOnly);
Status WriteDriveFile(const QString& path, const QByteArray& bytes);
Result<bool> DriveFileExists(const QString& path);
Status RemoveDriveFile(const QString& path);

} // namespace dvq3
