#include "ui/WindowSeam.h"

#include "platform/MsgBox.h"
#include "records/Session.h"

namespace dvq3 {

void ShowModalWindow(Session& session, const QString& name) {
    if (const auto found = session.ChainWindows.find(name); found != session.ChainWindows.end()) {
        found->second(session);
        return;
    }
    session.ContinueFlag = false;
    MsgBox(QStringLiteral("This function is not available yet in this version of the station."),
           vbInformation);
}

} // namespace dvq3
