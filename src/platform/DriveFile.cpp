#include "platform/DriveFile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dvq3 {
namespace {

DriveFaultHook& FaultHook() {
    static DriveFaultHook hook;
    return hook;
}

int Inject(DriveOp op, const QString& path) {
    const auto& hook = FaultHook();
    return hook ? hook(op, path) : 0;
}

// ENOENT on a create names a missing folder rather than a missing file.
bool FolderMissing(const QString& path) {
    return !QFileInfo(path).absoluteDir().exists();
}

} // namespace

void SetDriveFaultHook(DriveFaultHook hook) {
    FaultHook() = std::move(hook);
}

DriveFile::~DriveFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

Status DriveFile::fault(DriveOp op) const {
    if (const int injected = Inject(op, path_))
        return DriveErrorFromErrno(injected, injected == ENOENT && op == DriveOp::Open &&
                                                 FolderMissing(path_));
    return {};
}

Status DriveFile::open(const QString& path, Mode mode) {
    path_ = path;
    if (auto injected = fault(DriveOp::Open); !injected)
        return injected;
    int flags = O_RDONLY;
    if (mode == Mode::ReadWriteCreate)
        flags = O_RDWR | O_CREAT;
    else if (mode == Mode::WriteTruncateCreate)
        flags = O_WRONLY | O_CREAT | O_TRUNC;
    const QByteArray native = QFile::encodeName(path);
    fd_ = ::open(native.constData(), flags | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        const int err = errno;
        return DriveErrorFromErrno(err, err == ENOENT && FolderMissing(path));
    }
    return {};
}

Result<qint64> DriveFile::size() {
    if (auto injected = fault(DriveOp::Stat); !injected)
        return injected.error();
    struct stat info {};
    if (::fstat(fd_, &info) != 0)
        return DriveErrorFromErrno(errno);
    return static_cast<qint64>(info.st_size);
}

Result<QByteArray> DriveFile::readAt(qint64 offset, qint64 length) {
    if (auto injected = fault(DriveOp::Read); !injected)
        return injected.error();
    QByteArray bytes(length, Qt::Uninitialized);
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::pread(fd_, bytes.data() + done, length - done, offset + done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return DriveErrorFromErrno(errno);
        }
        if (n == 0)
            break;
        done += n;
    }
    bytes.truncate(done);
    return bytes;
}

Status DriveFile::writeAt(qint64 offset, const QByteArray& bytes) {
    if (auto injected = fault(DriveOp::Write); !injected)
        return injected;
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd_, bytes.constData() + done, bytes.size() - done, offset + done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return DriveErrorFromErrno(errno);
        }
        if (n == 0)
            return DriveErrorFromErrno(ENOSPC);
        done += n;
    }
    return {};
}

Status DriveFile::sync() {
    if (auto injected = fault(DriveOp::Sync); !injected)
        return injected;
    if (::fsync(fd_) != 0)
        return DriveErrorFromErrno(errno);
    return {};
}

Status DriveFile::truncate(qint64 length) {
    if (auto injected = fault(DriveOp::Truncate); !injected)
        return injected;
    if (::ftruncate(fd_, length) != 0)
        return DriveErrorFromErrno(errno);
    return {};
}

Status DriveFile::close() {
    if (fd_ < 0)
        return {};
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return DriveErrorFromErrno(errno);
    // An injected close failure still closes the descriptor.
    return fault(DriveOp::Close);
}

Result<QByteArray> ReadDriveFile(const QString& path, DriveFile::Mode mode) {
    DriveFile file;
    if (auto opened = file.open(path, mode); !opened)
        return opened.error();
    auto length = file.size();
    if (!length)
        return length.error();
    auto bytes = file.readAt(0, length.value());
    if (!bytes)
        return bytes.error();
    if (auto closed = file.close(); !closed)
        return closed.error();
    if (bytes.value().size() != length.value())
        return DriveErrorFromErrno(EIO);
    return bytes.value();
}

Status WriteDriveFile(const QString& path, const QByteArray& bytes) {
    DriveFile file;
    if (auto opened = file.open(path, DriveFile::Mode::WriteTruncateCreate); !opened)
        return opened;
    if (auto written = file.writeAt(0, bytes); !written)
        return written;
    if (auto synced = file.sync(); !synced)
        return synced;
    return file.close();
}

Result<bool> DriveFileExists(const QString& path) {
    if (const int injected = Inject(DriveOp::Stat, path))
        return DriveErrorFromErrno(injected);
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0)
        return true;
    if (errno == ENOENT)
        return false;
    return DriveErrorFromErrno(errno);
}

Status RemoveDriveFile(const QString& path) {
    if (const int injected = Inject(DriveOp::Remove, path))
        return DriveErrorFromErrno(injected);
    if (::unlink(QFile::encodeName(path).constData()) != 0)
        return DriveErrorFromErrno(errno);
    return {};
}

} // namespace dvq3
