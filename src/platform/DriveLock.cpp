#include "platform/DriveLock.h"

#include <QByteArrayList>
#include <QSysInfo>

#include <cerrno>
#include <pwd.h>
#include <unistd.h>

namespace dvq3 {
namespace {

// Who this station is, as the lock file records it.
QByteArray HolderRecord() {
    const passwd* account = ::getpwuid(::geteuid());
    const QString user = account ? QString::fromLocal8Bit(account->pw_name)
                                 : qEnvironmentVariable("USER", QStringLiteral("?"));
    return QStringLiteral("Host=%1\r\nUser=%2\r\nProcess=%3\r\n")
        .arg(QSysInfo::machineHostName(), user)
        .arg(::getpid())
        .toUtf8();
}

// What the lock file of another station says about it; the file is anyone's to write, so only
// a short, printable part of each value is shown.
QString ReadHolder(DriveFile& file) {
    constexpr qint64 kMost = 1024;
    auto bytes = file.readAt(0, kMost);
    if (!bytes)
        return {};
    QString host, user, process;
    for (const QByteArray& line : bytes.value().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        const QByteArray key = line.left(equals).trimmed();
        QString value;
        for (const QChar c : QString::fromUtf8(line.mid(equals + 1).trimmed()).left(64))
            if (c.isPrint())
                value += c;
        if (key == "Host")
            host = value;
        else if (key == "User")
            user = value;
        else if (key == "Process")
            process = value;
    }
    if (host.isEmpty() && user.isEmpty() && process.isEmpty())
        return {};
    const QString unknown = QStringLiteral("?");
    return QStringLiteral("user %1 on host %2, process %3")
        .arg(user.isEmpty() ? unknown : user, host.isEmpty() ? unknown : host,
             process.isEmpty() ? unknown : process);
}

} // namespace

DriveLock::~DriveLock() {
    unlock();
}

DriveLock& DriveLock::operator=(DriveLock&& other) noexcept {
    if (this != &other) {
        unlock();
        file_ = std::move(other.file_);
        path_ = std::move(other.path_);
        holder_ = std::move(other.holder_);
    }
    return *this;
}

Result<bool> DriveLock::lock(const QString& path) {
    unlock();
    holder_.clear();
    // A holder giving the lock up removes the file while it still holds it; whoever locked the
    // removed file meanwhile starts again on the path's new file.
    constexpr int kAttempts = 10;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        auto file = std::make_unique<DriveFile>();
        const Status opened =
            file->open(path, DriveFile::Mode::ReadWriteCreate, DriveFile::Links::Refuse);
        if (!opened) {
            // Another user's lock file may be closed to this user's writes: still name its holder.
            DriveFile reader;
            if (opened.error().is(Error::Kind::DriveFault, 70) &&
                reader.open(path, DriveFile::Mode::ReadOnly, DriveFile::Links::Refuse)) {
                auto held = reader.lockedElsewhere();
                if (held && held.value()) {
                    holder_ = ReadHolder(reader);
                    return false;
                }
            }
            return opened.error();
        }
        auto taken = file->tryLock();
        if (!taken)
            return taken.error();
        if (!taken.value()) {
            holder_ = ReadHolder(*file);
            return false;
        }
        if (!file->isAt(path))
            continue;
        Status recorded = file->truncate(0);
        if (recorded)
            recorded = file->writeAt(0, HolderRecord());
        if (recorded)
            recorded = file->sync(); // a station on another machine reads it from the server
        if (!recorded) {
            (void)RemoveDriveFile(path);
            return recorded.error();
        }
        file_ = std::move(file);
        path_ = path;
        return true;
    }
    return DriveErrorFromErrno(EAGAIN);
}

void DriveLock::unlock() {
    if (!file_)
        return;
    // Removed while still held: nobody can take over a file that is about to go.
    if (file_->isAt(path_))
        (void)RemoveDriveFile(path_);
    (void)file_->close();
    file_.reset();
    path_.clear();
}

bool DriveLock::holds(const QString& path) const {
    return file_ && file_->isAt(path);
}

} // namespace dvq3
