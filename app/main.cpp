// dvq3test: the test-administration station.
#include "StationWindows.h"
#include "platform/scanner/ScannerSane.h"
#include "sheets/windows/AnswerSheetPrinting.h"
#include "shell/SingleInstance.h"
#include "shell/Startup.h"
#include "shell/frmMainMenu.h"
#include "station/Session.h"
#include "ui/FocusStyle.h"
#include "ui/KeyboardHome.h"
#include "ui/MsgBox.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>

#include <unistd.h>

namespace {

// The end-to-end test names a file in DVQ3_E2E_STATE to learn what the main menu shows.
void WriteTestState(const dvq3::frmMainMenu& mainMenu) {
    const QString path = qEnvironmentVariable("DVQ3_E2E_STATE");
    if (path.isEmpty())
        return;
    QString state = QStringLiteral("title=") + mainMenu.windowTitle() + u'\n';
    const auto* list = mainMenu.findChild<QListWidget*>(QStringLiteral("lbNameDisplay"));
    for (int i = 0; list && i < list->count(); ++i)
        state += QStringLiteral("item=") + list->item(i)->text() + u'\n';
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(state.toUtf8());
}

// The fault-injection test has no one to answer message boxes: with DVQ3_E2E_MESSAGES_FD set,
// every box is written to that file descriptor and answered as a user giving up would.
void RecordMessagesForTests() {
    bool ok = false;
    const int fd = qEnvironmentVariableIntValue("DVQ3_E2E_MESSAGES_FD", &ok);
    if (!ok)
        return;
    dvq3::SetMsgBoxHandler([fd](const dvq3::MsgBoxCall& call) {
        const QByteArray line = (call.title + u'|' + call.text + u'\n').toUtf8();
        (void)::write(fd, line.constData(), static_cast<size_t>(line.size()));
        switch (call.buttons()) {
        case dvq3::vbOKCancel:
        case dvq3::vbYesNoCancel:
            return int(dvq3::vbCancel);
        case dvq3::vbYesNo:
            return int(dvq3::vbNo);
        default:
            return int(dvq3::vbOK);
        }
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dvq3test"));
    dvq3::ApplyFocusStyle(app);

    RecordMessagesForTests();
    dvq3::SingleInstance instance;
    if (!instance.claim())
        return 0; // the running station has been asked to come forward

    // The scan's diagnostic switches ("/V ALL", "/V FIRST", "/SCAN=DEBUG"); "Stop" in its debug
    // view ends the program at once, every open window with it.
    StationWindows windows({std::make_shared<dvq3::ScannerSane>(),
                            dvq3::ReadScanSwitches(app.arguments().mid(1)),
                            [] { QCoreApplication::exit(0); }});
    dvq3::Session session;
    session.windowOpener = &windows;
    // Switches are written as on the original station and read case-insensitively.
    for (const QString& argument : app.arguments().mid(1))
        if (argument.compare(QLatin1String("/NOWAIT"), Qt::CaseInsensitive) == 0)
            session.skipSplashWait = true; // tests: no splash hold
    dvq3::frmMainMenu mainMenu(session);
    dvq3::AddAnswerSheetMenuEntry(mainMenu, session.dbTest);
    new dvq3::KeyboardHome(&mainMenu);
    QObject::connect(&instance, &dvq3::SingleInstance::activationRequested, &mainMenu,
                     &dvq3::frmMainMenu::ComeForward);
    if (!dvq3::RunStartup(session, mainMenu))
        return 0;
    WriteTestState(mainMenu);
    if (qEnvironmentVariableIsSet("DVQ3_E2E_QUIT"))
        return 0; // the test only needed the start-up
    return app.exec();
}
