#include "ui/WindowSeam.h"

#include "platform/MsgBox.h"
#include "records/ClientData.h"

#include <QHash>

namespace dvq3 {
namespace {

QHash<QString, ModalWindow>& Windows() {
    static QHash<QString, ModalWindow> windows;
    return windows;
}

} // namespace

void RegisterModalWindow(const QString& name, ModalWindow show) {
    Windows().insert(name, std::move(show));
}

void UnregisterModalWindows() {
    Windows().clear();
}

void ShowModalWindow(const QString& name) {
    if (const auto found = Windows().constFind(name); found != Windows().cend()) {
        (*found)();
        return;
    }
    // Cancelled, as far as the chain is concerned.
    ContinueFlag = false;
    MsgBox(QStringLiteral("This function is not available yet in this version of the station."),
           vbInformation);
}

} // namespace dvq3
