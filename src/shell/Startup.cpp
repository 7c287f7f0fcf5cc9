#include "shell/Startup.h"

#include "platform/IniPaths.h"
#include "platform/MsgBox.h"
#include "platform/ProgramFolder.h"
#include "records/Session.h"
#include "shell/DiskCheck.h"
#include "shell/SelectDataDrive.h"
#include "shell/frmAbout.h"
#include "shell/frmMainMenu.h"
#include "ui/WindowRoutines.h"

#include <QCoreApplication>

namespace dvq3 {
namespace {

// The start-up error handler: a missing disk or database may be retried with OK; Cancel, or
// any other error, ends the program. Returns true once statement has succeeded.
template <class Statement> bool WithStartupHandler(Statement statement) {
    for (;;) {
        const Status status = statement();
        if (status)
            return true;
        const Error& error = status.error();
        int answer = vbCancel;
        if (error.isDriveFault() && error.number() == 70) {
            answer = MsgBox(kWriteProtectedText, vbOKCancel | vbCritical, kDiskErrorTitle);
        } else if (IsMissingDiskError(error)) {
            answer = MsgBox(kDiskNotFoundText, vbOKCancel | vbCritical, kDiskErrorTitle);
        } else {
            MsgBox(error.text());
        }
        if (answer != vbOK)
            return false;
    }
}

} // namespace

bool RunStartup(Session& session, frmMainMenu& mainMenu) {
    SetWaitPointer();
    session.SndPath = GetINISndPath();
    session.DbPath = ProgramFile(QStringLiteral("DVQ3.MDB"));
    if (!WithStartupHandler([] { return WriteINISystemDB(); }) ||
        !WithStartupHandler([&session] { return session.dbTest.open(session.DbPath, true); })) {
        SetDefaultPointer();
        return false;
    }
    mainMenu.ListEnabled = true;
    mainMenu.hide();

    frmAbout splash;
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
    mainMenu.Started = true;
    SetDefaultPointer();
    return true;
}

} // namespace dvq3
