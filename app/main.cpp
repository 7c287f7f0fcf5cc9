// dvq3test: the test-administration station.
#include "platform/SingleInstance.h"
#include "records/Session.h"
#include "records/frmClientInfo.h"
#include "records/frmCourtHistory.h"
#include "records/frmSupervisorOptions.h"
#include "shell/Startup.h"
#include "shell/frmAbout.h"
#include "shell/frmMainMenu.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>

namespace {

// The end-to-end test names a file in DVQ3_E2E_STATE to learn what the main menu shows.
void WriteTestState(const dvq3::frmMainMenu& mainMenu) {
    const QString path = qEnvironmentVariable("DVQ3_E2E_STATE");
    if (path.isEmpty())
        return;
    QString state = QStringLiteral("title=") + mainMenu.windowTitle() + u'\n';
    for (int i = 0; i < mainMenu.lbNameDisplay->count(); ++i)
        state += QStringLiteral("item=") + mainMenu.lbNameDisplay->item(i)->text() + u'\n';
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(state.toUtf8());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dvq3test"));

    // Switches are written as on the original station and read case-insensitively.
    for (const QString& argument : app.arguments().mid(1))
        if (argument.compare(QLatin1String("/NOWAIT"), Qt::CaseInsensitive) == 0)
            dvq3::frmAbout::SkipSplashWait = true; // tests: no splash hold

    dvq3::SingleInstance instance;
    if (!instance.claim())
        return 0; // the running station has been asked to come forward

    dvq3::Session session;
    session.ChainWindows[QStringLiteral("frmClientInfo")] = [](dvq3::Session& s) {
        dvq3::frmClientInfo window(s);
        window.exec();
    };
    session.ChainWindows[QStringLiteral("frmCourtHistory")] = [](dvq3::Session& s) {
        dvq3::frmCourtHistory window(s);
        window.exec();
    };
    session.ChainWindows[QStringLiteral("frmSupervisorOptions")] = [](dvq3::Session& s) {
        dvq3::frmSupervisorOptions window(s);
        window.exec();
    };
    dvq3::frmMainMenu mainMenu(session);
    QObject::connect(&instance, &dvq3::SingleInstance::activationRequested, &mainMenu, [&] {
        mainMenu.showNormal();
        mainMenu.raise();
        mainMenu.activateWindow();
    });
    if (!dvq3::RunStartup(session, mainMenu))
        return 0;
    WriteTestState(mainMenu);
    return app.exec();
}
