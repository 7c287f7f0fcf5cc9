#include "records/DiskCheck.h"

#include "platform/DriveFile.h"
#include "platform/DriveLock.h"

#include <QDir>

#include <cerrno>

namespace dvq3 {
namespace {

// Runs step until it succeeds or the handler gives up.
template <class Step> Status Attempt(DiskCheckHandler& handler, Step step) {
    for (;;) {
        Status status = step();
        if (status || !handler.retryAfter(status.error()))
            return status;
    }
}

bool IsWriteProtectError(const Error& error) {
    return error.is(Error::Kind::DriveFault, 70);
}

QString FirstLine(const QByteArray& bytes) {
    qsizetype end = bytes.indexOf('\n');
    QByteArray line = end < 0 ? bytes : bytes.left(end);
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromLatin1(line);
}

} // namespace

QString DiskInUseText(const QString& drive, const QString& holder) {
    return QStringLiteral("The data disk on drive %1 is in use by another station (%2). A data "
                          "disk is used by one station at a time: end the other station first, "
                          "or choose another drive.")
        .arg(DriveName(drive),
             holder.isEmpty() ? QStringLiteral("its lock file does not say which") : holder);
}

Result<DiskState> CheckDataDisk(Session& session, const QString& drive, DiskCheckHandler& handler) {
    session.disk.SetDataDrive(drive);
    if (HoldsNul(drive)) {
        handler.tell(NulPathText(drive), true);
        return DiskState::NotUsable;
    }
    if (drive.isEmpty() || QDir::isRelativePath(drive))
        return DriveErrorFromErrno(ENOENT);

    // A folder without the marker file is not a data disk: nothing may be created in it. Nor is
    // one with a link in the marker's place.
    Status marked = Attempt(handler, [&]() -> Status {
        DriveFile tid;
        if (auto opened = tid.open(session.disk.TidFile(), DriveFile::Mode::ReadOnly,
                                   DriveFile::Links::Refuse);
            !opened)
            return opened;
        return tid.close();
    });
    if (!marked)
        return marked.error();

    // One station at a time on a disk. The disk in use, checked again, keeps its lock; a new
    // disk's lock replaces it only once the new disk has passed. A disk that cannot be written
    // cannot take a lock either: its write test below tells the user, and a disk made writable
    // meanwhile takes its lock after that test.
    DriveLock lock;
    const bool newDisk = !session.disk.HoldsLock();
    bool lockPending = newDisk;
    auto takeLock = [&](bool deferWhenProtected) -> Result<bool> {
        bool taken = false;
        Status locked = Attempt(handler, [&]() -> Status {
            auto result = lock.lock(session.disk.LockFile());
            if (!result && deferWhenProtected && IsWriteProtectError(result.error()))
                return {};
            if (!result)
                return result.error();
            taken = result.value();
            lockPending = false;
            if (!taken)
                handler.tell(DiskInUseText(drive, lock.holder()), true);
            return {};
        });
        if (!locked)
            return locked.error();
        return lockPending || taken;
    };
    if (lockPending) {
        auto taken = takeLock(true);
        if (!taken)
            return taken.error();
        if (!taken.value())
            return DiskState::NotUsable;
    }

    bool result = true;
    Status loaded = Attempt(handler, [&]() -> Status {
        auto check = session.LoadClients();
        // A write-protected disk's client file is read as it is; its write test tells the user.
        if (!check && IsWriteProtectError(check.error())) {
            if (auto exists = DriveFileExists(session.disk.ClientFile()); exists && exists.value())
                check = session.LoadClients(DataDisk::LoadMode::ReadOnly);
        }
        if (!check)
            return check.error();
        if (check.value().problem != ClientFileProblem::None) {
            const bool refused = check.value().problem == ClientFileProblem::TooManyRecords;
            handler.tell(check.value().message, refused);
            result = result && !refused;
        }
        return {};
    });
    if (!loaded)
        return loaded.error();

    marked = Attempt(handler, [&]() -> Status {
        auto tid = ReadDriveFile(session.disk.TidFile(), DriveFile::Mode::ReadOnly, kMaxWholeFile,
                                 DriveFile::Links::Refuse);
        if (!tid)
            return tid.error();
        if (FirstLine(tid.value()).trimmed() != kDiskMarker) {
            handler.tell(kNotADataDiskText, true);
            result = false;
        }
        return {};
    });
    if (!marked)
        return marked.error();

    // Whatever is left at the scratch name (by a crash, or planted) is removed, a link as the
    // link itself; the scratch file is then created afresh, never through a link.
    const QString scratch = drive + QStringLiteral("/checkWriteTest");
    auto removeIfThere = [&]() -> Status {
        Status removed = RemoveDriveFile(scratch);
        const bool absent = !removed && removed.error().is(Error::Kind::DriveFault, 53);
        return absent ? Status() : removed;
    };
    Status writable = Attempt(handler, removeIfThere);
    if (writable)
        writable = Attempt(handler, [&] { return WriteDriveFile(scratch, "test\r\n"); });
    if (writable)
        writable = Attempt(handler, removeIfThere);
    if (!writable) {
        (void)RemoveDriveFile(scratch); // never leave the scratch file behind
        if (result && IsWriteProtectError(writable.error())) {
            // Read only: nothing this station saves can overwrite another's, and the disk used
            // before is free again.
            if (newDisk)
                session.disk.KeepLock(std::move(lock));
            return DiskState::WriteProtected;
        }
        return writable.error();
    }
    if (result && lockPending) {
        auto taken = takeLock(false);
        if (!taken)
            return taken.error();
        if (!taken.value())
            return DiskState::NotUsable;
    }
    if (result && lock.holds(session.disk.LockFile()))
        session.disk.KeepLock(std::move(lock));
    return result ? DiskState::Usable : DiskState::NotUsable;
}

} // namespace dvq3
