#include "platform/DatabaseLock.h"

#include "platform/DriveFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace dvq3 {
namespace {

Error NotOpened(const QString& why, int number = 3051) {
    return Error::DatabaseFault(number,
                                DriveErrorDescription(number) + QStringLiteral(" (%1)").arg(why));
}

} // namespace

DatabaseLock::~DatabaseLock() {
    release();
}

Status DatabaseLock::acquire(const QString& path) {
    release();
    // Read access is enough to hold it, so a station runs from a folder it cannot write.
    const int fd = ::open(NativePath(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return NotOpened(DriveErrorDescription(DriveErrorNumber(errno)));
    int locked;
    do
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return NotOpened(HeldByStationText(), kDatabaseInUse);
        return NotOpened(DriveErrorDescription(DriveErrorNumber(error)));
    }
    fd_ = fd;
    return {};
}

void DatabaseLock::release() {
    if (fd_ < 0)
        return;
    // The hold lives in this descriptor alone: closing it ends the hold.
    ::close(fd_);
    fd_ = -1;
}

QString HeldByStationText() {
    return QStringLiteral("a running station has it open; close that station first");
}

} // namespace dvq3
