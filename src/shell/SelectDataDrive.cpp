#include "shell/SelectDataDrive.h"

#include "platform/IniPaths.h"
#include "records/DiskCheck.h"
#include "shell/ProgramFolderMessages.h"
#include "shell/frmDriveSelect.h"
#include "ui/MsgBox.h"
#include "ui/WindowRoutines.h"

namespace dvq3 {
namespace {

// The drive error handler: a write-protected disk may be retried, a missing disk or file ends
// the check so the caller can offer another drive, anything else is shown and ends the check.
class DriveErrorHandler : public DiskCheckHandler {
public:
    bool retryAfter(const Error& error) override {
        if (error.is(Error::Kind::DriveFault, 70))
            return MsgBox(kWriteProtectedText, vbOKCancel | vbCritical, kDiskErrorTitle) == vbOK;
        if (!IsMissingDiskError(error))
            MsgBox(error.text());
        return false;
    }

    void tell(const QString& text, bool critical) override {
        SetDefaultPointer();
        MsgBox(text, critical ? vbCritical : vbExclamation, kDiskErrorTitle);
    }
};

// Reloading the disk that was in use asks nothing: any failure is a failed reload.
class QuietHandler : public DiskCheckHandler {
public:
    bool retryAfter(const Error&) override { return false; }
    void tell(const QString&, bool) override {}
};

bool ReloadPrevious(Session& session, const QString& previous) {
    QuietHandler quiet;
    auto reloaded = CheckDataDisk(session, previous, quiet);
    if (reloaded && reloaded.value() != DiskState::NotUsable)
        return true;
    MsgBox(kReloadFailedText);
    return false;
}

} // namespace

DriveChoice ShowDriveSelect(const QString& current) {
    frmDriveSelect chooser(QStringList{current, GetINIFilePath()} + GetINIRecentDrives());
    if (chooser.exec() != QDialog::Accepted)
        return std::nullopt;
    return chooser.NewDrive;
}

DriveSelection SelectDataDrive(Session& session, bool atStartup,
                               const std::function<void()>& refreshList,
                               const std::function<DriveChoice()>& chooseDrive) {
    const QString previous = session.disk.DataDrive();
    bool firstPass = true;
    bool tableChanged = false; // a check has loaded another disk's clients
    for (;;) {
        QString drive;
        if (atStartup && firstPass) {
            drive = GetINIFilePath();
            firstPass = false;
            // Asked as for a drive without test information: Yes shows the chooser.
            if (HoldsNul(drive)) {
                if (MsgBox(SettingNulText(IniFilePath(), QStringLiteral("FilePath"), drive,
                                          kChooseAnotherDriveText),
                           vbYesNo | vbExclamation, kProgramFolderErrorTitle) == vbYes)
                    continue;
                return DriveSelection::EndProgram;
            }
        } else {
            SetDefaultPointer();
            const DriveChoice choice =
                chooseDrive ? chooseDrive() : ShowDriveSelect(session.disk.DataDrive());
            if (!choice && !atStartup) {
                if (!tableChanged)
                    return DriveSelection::Kept;
                return ReloadPrevious(session, previous) ? DriveSelection::Kept
                                                         : DriveSelection::EndProgram;
            }
            if (!choice) {
                if (MsgBox(kTryAgainText, vbYesNo) == vbYes)
                    continue;
                return DriveSelection::EndProgram;
            }
            drive = *choice;
        }

        DriveErrorHandler handler;
        auto checked = CheckDataDisk(session, drive, handler);
        tableChanged = true;
        if (checked && checked.value() == DiskState::WriteProtected) {
            // Cancel on the write-protect message: this disk is used as it is, to read its
            // clients and reports; every save on it says it is write-protected. The settings keep
            // the last disk that passed the whole check.
            refreshList();
            return DriveSelection::WriteProtected;
        }
        if (checked && checked.value() == DiskState::Usable) {
            if (auto written = WriteINIFilePath(drive); !written)
                MsgBox(SettingsFaultText(IniFilePath(), written.error(), false), vbExclamation,
                       kProgramFolderErrorTitle);
            (void)AddINIRecentDrive(drive); // only a convenience of the chooser
            refreshList();
            return DriveSelection::Established;
        }
        if (!checked && IsMissingDiskError(checked.error())) {
            const int answer = MsgBox(NoTestInformationText(drive) + kTryAnotherDriveText, vbYesNo);
            if (answer == vbYes)
                continue;
            return DriveSelection::EndProgram;
        }
        // A readable disk that is not usable, or an error given up on at start-up, when there
        // is no disk in use to fall back on.
        if (checked || atStartup) {
            SetDefaultPointer();
            if (MsgBox(kTryAgainText, vbYesNo) == vbYes)
                continue;
        }
        if (atStartup)
            return DriveSelection::EndProgram;
        return ReloadPrevious(session, previous) ? DriveSelection::Kept
                                                 : DriveSelection::EndProgram;
    }
}

} // namespace dvq3
