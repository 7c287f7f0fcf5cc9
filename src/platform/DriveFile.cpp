#include "platform/DriveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QList>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
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

// The length of the valid UTF-8 sequence starting at bytes[i], or 0.
int Utf8Length(const QByteArray& bytes, qsizetype i) {
    const auto b = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = b(i);
    int length = 0;
    char32_t code = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        if ((b(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (b(i + k) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return overlong || surrogate || code > 0x10FFFF ? 0 : length;
}

// Flushes the folder that holds path, so a rename in it survives a power cut.
Status SyncFolder(const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    if (const int injected = Inject(DriveOp::SyncFolder, folder))
        return DriveErrorFromErrno(injected);
    const int fd = ::open(NativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return DriveErrorFromErrno(errno);
    const int synced = ::fsync(fd);
    const int err = errno;
    ::close(fd);
    return synced == 0 ? Status() : DriveErrorFromErrno(err);
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

Status DriveFile::open(const QString& path, Mode mode, Links links, int permissions) {
    path_ = path;
    if (HoldsNul(path))
        return Error::Refusal(NulPathText(path));
    if (auto injected = fault(DriveOp::Open); !injected)
        return injected;
    int flags = O_RDONLY;
    if (mode == Mode::ReadWriteCreate)
        flags = O_RDWR | O_CREAT;
    else if (mode == Mode::WriteTruncateCreate)
        flags = O_WRONLY | O_CREAT | O_TRUNC;
    else if (mode == Mode::CreateNew)
        flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW;
    if (links == Links::Refuse)
        flags |= O_NOFOLLOW;
    // Not blocking: a named pipe would otherwise hold the open until a writer came along.
    fd_ = ::open(NativePath(path).constData(), flags | O_CLOEXEC | O_NONBLOCK,
                 static_cast<mode_t>(permissions));
    if (fd_ < 0) {
        const int err = errno;
        // A link where none is followed fails as ELOOP: it is no regular file either.
        if (err == EISDIR || (err == ELOOP && (flags & O_NOFOLLOW)))
            return Error::Refusal(NotARegularFileText(path));
        return DriveErrorFromErrno(err, err == ENOENT && FolderMissing(path));
    }
    // A failed fstat is the device's I/O error, not a verdict on the file's kind.
    struct stat info {};
    Status kind = fault(DriveOp::Stat);
    if (kind && ::fstat(fd_, &info) != 0)
        kind = DriveErrorFromErrno(errno);
    if (kind && !S_ISREG(info.st_mode))
        kind = Error::Refusal(NotARegularFileText(path));
    if (!kind) {
        ::close(fd_);
        fd_ = -1;
        return kind;
    }
    // Opened without blocking only so that a pipe or device could not hold the open; a regular
    // file is then read and written normally.
    const int statusFlags = ::fcntl(fd_, F_GETFL);
    if (statusFlags < 0 || ::fcntl(fd_, F_SETFL, statusFlags & ~O_NONBLOCK) != 0) {
        const int failed = errno;
        ::close(fd_);
        fd_ = -1;
        return DriveErrorFromErrno(failed);
    }
    if (mode == Mode::CreateNew)
        (void)::flock(fd_, LOCK_EX | LOCK_NB); // a file system without locks still gets the file
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

Result<bool> DriveFile::tryLock() {
    if (auto injected = fault(DriveOp::Lock); !injected)
        return injected.error();
    // An open file description's lock: a second open conflicts even within this process, and
    // closing some other descriptor of the file does not drop it.
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd_, F_OFD_SETLK, &lock) == 0)
        return true;
    if (errno == EAGAIN || errno == EACCES)
        return false;
    // A network folder whose server keeps no locks cannot be locked at all; the check of each
    // record's bytes before it is written still stands.
    if (errno == ENOLCK)
        return true;
    return DriveErrorFromErrno(errno);
}

Result<bool> DriveFile::lockedElsewhere() {
    if (auto injected = fault(DriveOp::Lock); !injected)
        return injected.error();
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd_, F_OFD_GETLK, &lock) != 0)
        return errno == ENOLCK ? Result<bool>(false) : DriveErrorFromErrno(errno);
    return lock.l_type != F_UNLCK;
}

bool DriveFile::isAt(const QString& path) const {
    struct stat here {};
    struct stat there {};
    return fd_ >= 0 && !HoldsNul(path) && ::fstat(fd_, &here) == 0 &&
           ::lstat(NativePath(path).constData(), &there) == 0 && here.st_dev == there.st_dev &&
           here.st_ino == there.st_ino;
}

Result<QByteArray> ReadDriveFile(const QString& path, DriveFile::Mode mode, qint64 maxBytes,
                                 DriveFile::Links links) {
    DriveFile file;
    if (auto opened = file.open(path, mode, links); !opened)
        return opened.error();
    auto length = file.size();
    if (!length)
        return length.error();
    if (length.value() > maxBytes)
        return Error::Refusal(FileTooLargeText(path, length.value()));
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
    if (auto opened = file.open(path, DriveFile::Mode::CreateNew); !opened)
        return opened;
    Status done = file.writeAt(0, bytes);
    if (done)
        done = file.sync();
    if (done)
        done = file.close();
    if (!done) {
        (void)file.close();
        ::unlink(NativePath(path).constData());
    }
    return done;
}

Replacement ReplaceFile(const QString& path, const QByteArray& bytes, int permissions) {
    if (HoldsNul(path))
        return {Error::Refusal(NulPathText(path))};
    // A device, pipe or folder in the way is never replaced (think of /dev/full as the target).
    struct stat there {};
    if (::lstat(NativePath(path).constData(), &there) == 0) {
        if (!S_ISREG(there.st_mode) && !S_ISLNK(there.st_mode))
            return {Error::Refusal(NotARegularFileText(path))};
        // A file the agency has made private stays private.
        if (S_ISREG(there.st_mode))
            permissions &= there.st_mode & 0777;
    }
    RemoveDeadTemporaries(path);
    const QFileInfo target(path);
    const QString prefix = target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                           QStringLiteral(".%1.").arg(::getpid());
    // A name already taken (by another writer, a crash, or a planted link) is passed over.
    constexpr int kCandidates = 100;
    DriveFile file;
    QString temporary;
    for (int n = 0; n < kCandidates && temporary.isEmpty(); ++n) {
        const QString candidate = prefix + QString::number(n) + QStringLiteral(".tmp");
        if (auto opened = file.open(candidate, DriveFile::Mode::CreateNew, DriveFile::Links::Refuse,
                                    permissions);
            opened) {
            temporary = candidate;
        } else {
            struct stat info {};
            const bool taken = ::lstat(NativePath(candidate).constData(), &info) == 0;
            if (!taken || n == kCandidates - 1)
                return {opened};
        }
    }
    Status done = file.writeAt(0, bytes);
    if (done)
        done = file.sync();
    if (done)
        done = file.close();
    if (done) {
        if (const int injected = Inject(DriveOp::Rename, path))
            done = DriveErrorFromErrno(injected);
        else if (::rename(NativePath(temporary).constData(), NativePath(path).constData()) != 0)
            done = DriveErrorFromErrno(errno, errno == ENOENT);
        else
            return {SyncFolder(path), true};
    }
    (void)file.close();
    ::unlink(NativePath(temporary).constData());
    return {done};
}

void RemoveDeadTemporaries(const QString& path) {
    const QFileInfo target(path);
    const QByteArray stem = '.' + NativePath(target.fileName()) + '.';
    DIR* folder = ::opendir(NativePath(target.absolutePath()).constData());
    if (!folder)
        return;
    // The names ReplaceFile gives: "." name "." pid "." number ".tmp".
    const auto digits = [](const QByteArray& part) {
        return !part.isEmpty() && part.size() < 10 &&
               std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    while (const dirent* entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (!name.startsWith(stem) || !name.endsWith(".tmp"))
            continue;
        const QList<QByteArray> parts =
            name.mid(stem.size(), name.size() - stem.size() - 4).split('.');
        if (parts.size() != 2 || !digits(parts[0]) || !digits(parts[1]))
            continue;
        const pid_t pid = static_cast<pid_t>(parts[0].toLongLong());
        // A writer that is still running (or that this process cannot see) keeps its file.
        if (pid <= 0 || pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        const int fd = ::openat(::dirfd(folder), entry->d_name,
                                O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info {};
        // Nor is the file taken while a writer on another machine sharing the folder holds it.
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(::dirfd(folder), entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(folder);
}

Status MakePrivateFolder(const QString& folder) {
    if (const int injected = Inject(DriveOp::Open, folder))
        return DriveErrorFromErrno(injected);
    const QByteArray native = NativePath(QDir::cleanPath(folder));
    for (qsizetype end = 1; end <= native.size(); ++end) {
        if (end < native.size() && native[end] != '/')
            continue;
        const QByteArray part = native.left(end);
        if (::mkdir(part.constData(), 0700) != 0 && errno != EEXIST)
            return DriveErrorFromErrno(errno, errno == ENOENT);
    }
    struct stat info {};
    if (::stat(native.constData(), &info) != 0)
        return DriveErrorFromErrno(errno, true);
    if (!S_ISDIR(info.st_mode))
        return DriveErrorFromErrno(ENOTDIR);
    return {};
}

bool FolderWritable(const QString& folder) {
    if (HoldsNul(folder))
        return false;
    if (Inject(DriveOp::Open, folder + QStringLiteral("/.")))
        return false;
    return ::access(NativePath(folder).constData(), W_OK) == 0;
}

QString NotARegularFileText(const QString& path) {
    return QStringLiteral("%1 is not a regular file (it is a link, a folder, a device or a "
                          "pipe). The station reads and writes only regular files; nothing was "
                          "changed.")
        .arg(QDir::toNativeSeparators(path));
}

bool HoldsNul(const QString& path) {
    return path.contains(QChar(0));
}

QString NulPathText(const QString& path) {
    return QStringLiteral("The path %1 holds a NUL character (shown as \\0), which no file name "
                          "can hold. The station did not use it: nothing there was read, "
                          "created or removed.")
        .arg(QDir::toNativeSeparators(path).replace(QChar(0), QStringLiteral("\\0")));
}

QString FileTooLargeText(const QString& path, qint64 size) {
    return QStringLiteral("%1 is %2 bytes long, far larger than the station's files can be; it "
                          "was not read.")
        .arg(QDir::toNativeSeparators(path))
        .arg(size);
}

QString PathFromNative(const QByteArray& native) {
    QString path;
    path.reserve(native.size());
    for (qsizetype i = 0; i < native.size();) {
        const int length = Utf8Length(native, i);
        if (length == 0) {
            path += QChar(0xDC00 + static_cast<unsigned char>(native[i]));
            ++i;
        } else {
            path += QString::fromUtf8(native.constData() + i, length);
            i += length;
        }
    }
    return path;
}

QByteArray NativePath(const QString& path) {
    QByteArray native;
    native.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar c = path[i];
        const bool paired =
            c.isHighSurrogate() && i + 1 < path.size() && path[i + 1].isLowSurrogate();
        if (c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF &&
            !(i > 0 && path[i - 1].isHighSurrogate())) {
            native += static_cast<char>(c.unicode() - 0xDC00);
        } else if (paired) {
            native += QString(path.constData() + i, 2).toUtf8();
            ++i;
        } else {
            native += QString(c).toUtf8();
        }
    }
    return native;
}

Result<bool> DriveFileExists(const QString& path) {
    if (HoldsNul(path))
        return Error::Refusal(NulPathText(path));
    if (const int injected = Inject(DriveOp::Stat, path))
        return DriveErrorFromErrno(injected);
    struct stat info {};
    if (::stat(NativePath(path).constData(), &info) == 0)
        return true;
    if (errno == ENOENT)
        return false;
    return DriveErrorFromErrno(errno);
}

Status RemoveDriveFile(const QString& path) {
    if (HoldsNul(path))
        return Error::Refusal(NulPathText(path));
    if (const int injected = Inject(DriveOp::Remove, path))
        return DriveErrorFromErrno(injected);
    if (::unlink(NativePath(path).constData()) != 0)
        return DriveErrorFromErrno(errno);
    return {};
}

} // namespace dvq3
