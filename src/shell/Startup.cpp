#include "shell/Startup.h"

#include "platform/IniPaths.h"
#include "platform/ProgramFolder.h"
#include "shell/ProgramFolderMessages.h"
#include "shell/SelectDataDrive.h"
#include "shell/frmAbout.h"
#include "shell/frmMainMenu.h"
#include "station/Session.h"
#include "ui/MsgBox.h"
#include "ui/WindowRoutines.h"

#include <QCoreApplication>

namespace dvq3 {
namespace {

// The start-up error handler for the program folder's files: the box names the file, its folder
// and what to do; OK tries the statement again, Cancel ends the program. Returns true once
// statement has succeeded.
template <class Statement, class Message>
bool WithStartupHandler(Statement statement, Message message) {
    for (;;) {
        const Status status = statement();
        if (status)
            return true;
        if (MsgBox(message(status.error()), vbOKCancel | vbCritical, kProgramFolderErrorTitle) !=
            vbOK)
            return false;
    }
}

} // namespace

bool RunStartup(Session& session, frmMainMenu& mainMenu) {
    SetWaitPointer();
    const auto settingsFault = [](const Error& error) {
        return SettingsFaultText(IniFilePath(), error, true);
    };
    // The program folder's settings are only read here: a fault is the user's own file's.
    const auto userSettingsFault = [](const Error& error) {
        return SettingsFaultText(UserIniFilePath(), error, true);
    };
    // The settings are read before anything is taken from them: a file that cannot be read
    // would otherwise pass for one without settings.
    if (!WithStartupHandler(PrepareUserSettings, userSettingsFault) ||
        !WithStartupHandler(CheckINIReadable, [](const Error& error) {
            return SettingsReadFaultText(IniFilePath(), error);
        })) {
        SetDefaultPointer();
        return false;
    }
    session.SndPath = GetINISndPath();
    if (HoldsNul(session.SndPath)) {
        MsgBox(SettingNulText(IniFilePath(), QStringLiteral("SndPath"), session.SndPath,
                              QStringLiteral("The questions are shown without their spoken "
                                             "prompts until the setting is corrected.")),
               vbExclamation, kProgramFolderErrorTitle);
        session.SndPath.clear();
    }
    session.userSndPath = UserDataFolder() + QStringLiteral("/Sounds");
    session.DbPath = ProgramFile(QStringLiteral("DVQ3.MDB"));
    if (!WithStartupHandler(WriteINISystemDB, settingsFault) ||
        !WithStartupHandler(
            [&session] { return session.dbTest.open(session.DbPath, true); },
            [&session](const Error& error) { return DatabaseFaultText(session.DbPath, error); })) {
        SetDefaultPointer();
        return false;
    }
    mainMenu.ListEnabled = true;
    mainMenu.hide();

    frmAbout splash(session.skipSplashWait);
    splash.setSplash(true);
    splash.show();
    while (!splash.FadeDone())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);

    SetDefaultPointer();
    const DriveSelection drive =
        SelectDataDrive(session, true, [&mainMenu] { mainMenu.ReloadNameDisplay(); });
    splash.Unload();
    if (drive == DriveSelection::EndProgram) {
        session.dbTest.close();
        return false;
    }

    mainMenu.setWindowTitle(QStringLiteral("Corvalent-III"));
    mainMenu.show();
    if (!mainMenu.isMaximized())
        CenterForm(&mainMenu);
    mainMenu.Form_Activate();
    mainMenu.FocusClientList();
    mainMenu.ListEnabled = true;
    mainMenu.UnloadOthers = true;
    mainMenu.started = true;
    SetDefaultPointer();
    return true;
}

} // namespace dvq3
