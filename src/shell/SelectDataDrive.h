#pragma once

#include "station/Session.h"

#include <QString>

#include <functional>
#include <optional>

namespace dvq3 {

enum class DriveSelection {
    Established, // a drive passed the check and is now the data drive
    // a data disk that cannot be written, taken as it is after Cancel on the write-protect
    // message: it is now the data drive; the settings are left as they were
    WriteProtected,
    Kept,       // nothing changed: the disk in use before stays in use
    EndProgram, // the user declined to go on, or the disk in use could not be reloaded
};

// Chooses and checks the data drive. At start-up the drive named in the initialisation file is
// tried first; otherwise, and on every retry, the chooser is shown (chooseDrive stands in for
// it in tests). When a drive is established its name is written to the initialisation file and
// refreshList runs (for a disk taken write-protected refreshList alone). A drive that fails from
// the menu never leaves the station half switched: the disk in use is reloaded, or the program
// ends. Cancelling the chooser from the menu keeps the disk in use; at start-up, where there is
// none, it asks whether to try again.
using DriveChoice = std::optional<QString>; // nothing when the chooser was cancelled
DriveSelection SelectDataDrive(Session& session, bool atStartup,
                               const std::function<void()>& refreshList,
                               const std::function<DriveChoice()>& chooseDrive = {});

// Shows frmDriveSelect modally, offering the drive in use and the drives chosen before first,
// and returns its NewDrive, or nothing when it was cancelled.
DriveChoice ShowDriveSelect(const QString& current);

} // namespace dvq3
