#pragma once

#include "platform/Error.h"
#include "station/Session.h"

#include <QString>

namespace dvq3 {

// What the disk check asks of its caller while it runs.
class DiskCheckHandler {
public:
    virtual ~DiskCheckHandler() = default;
    // A step failed with error: true runs the failed step again, false gives up (the check
    // then returns the error).
    virtual bool retryAfter(const Error& error) = 0;
    // Something the user must be told at once; the check goes on.
    virtual void tell(const QString& text, bool critical) = 0;
};

// The title of the boxes about the data disk, and the box both error handlers show for a disk
// that cannot be written (OK retries, Cancel gives up).
inline const QString kDiskErrorTitle = QStringLiteral("Data Disk Error");
inline const QString kWriteProtectedText =
    QStringLiteral("Data disk write protected!\r\rSet the data disk to writable and replace in "
                   "drive.");

// What the drive checks and the start-up tell the user.
inline const QString kNotADataDiskText = QStringLiteral("This is not a Corvalent-III data disk.");
inline const QString kTryAnotherDriveText =
    QStringLiteral(", would you like to try another drive?");
inline const QString kTryAgainText =
    QStringLiteral("Drive select unsuccessful, would you like to try again?");
inline const QString kReloadFailedText =
    QStringLiteral("Reload of original data disk failed, aborting Program");

// The marker the first line of the TID file must hold.
inline const QString kDiskMarker = QStringLiteral("DVQ3");

// The message for a data disk another station holds, naming that station as its lock file does.
QString DiskInUseText(const QString& drive, const QString& holder);

// What the check found on a disk it could read.
enum class DiskState {
    Usable,
    NotUsable, // another station holds it, not a data disk, or a client file that cannot be loaded
    // A data disk whose clients are loaded but that cannot be written, and the handler gave up
    // on its write test: it can be used to read (reports), every save on it is refused.
    WriteProtected,
};

// Makes drive the current data drive and checks the disk: a folder without the TID file is a
// drive without test information and nothing is created in it; otherwise the disk's lock is
// taken, the client file loaded (created empty when missing; read as it is from a disk that
// cannot be written), the TID marker checked and a write test creates and deletes
// checkWriteTest. The disk's files are never reached through a link. Returns an error when a
// step failed and the handler gave up, but for the write test of a disk that passed the rest
// (WriteProtected). Once a disk passes, the session holds its lock instead of the previous
// disk's. An empty or relative drive is never touched: it is a drive without test information;
// a drive holding a NUL character is refused unused.
Result<DiskState> CheckDataDisk(Session& session, const QString& drive, DiskCheckHandler& handler);

} // namespace dvq3
