#include "shell/DiskCheck.h"

#include "platform/DriveFile.h"

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
    return error.isDriveFault() && error.number() == 70;
}

QString FirstLine(const QByteArray& bytes) {
    qsizetype end = bytes.indexOf('\n');
    QByteArray line = end < 0 ? bytes : bytes.left(end);
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromLatin1(line);
}

} // namespace

Result<DiskState> CheckDataDisk(Session& session, const QString& drive, DiskCheckHandler& handler) {
    session.disk.SetDataDrive(drive);
    if (drive.isEmpty() || QDir::isRelativePath(drive))
        return DriveErrorFromErrno(ENOENT);

    // A folder without the marker file is not a data disk: nothing may be created in it.
    Status marked = Attempt(handler, [&]() -> Status {
        auto exists = DriveFileExists(session.disk.TidFile());
        if (!exists)
            return exists.error();
        return exists.value() ? Status() : DriveErrorFromErrno(ENOENT);
    });
    if (!marked)
        return marked.error();

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
        auto tid = ReadDriveFile(session.disk.TidFile());
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

    const QString scratch = drive + QStringLiteral("/checkWriteTest");
    auto removeIfThere = [&]() -> Status {
        auto exists = DriveFileExists(scratch);
        if (!exists)
            return exists.error();
        return exists.value() ? RemoveDriveFile(scratch) : Status();
    };
    Status writable = Attempt(handler, removeIfThere);
    if (writable)
        writable = Attempt(handler, [&] { return WriteDriveFile(scratch, "test\r\n"); });
    if (writable)
        writable = Attempt(handler, removeIfThere);
    if (!writable) {
        (void)RemoveDriveFile(scratch); // never leave the scratch file behind
        if (result && IsWriteProtectError(writable.error()))
            return DiskState::WriteProtected;
        return writable.error();
    }
    return result ? DiskState::Usable : DiskState::NotUsable;
}

} // namespace dvq3
