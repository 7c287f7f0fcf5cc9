#include "ui/WindowSeam.h"

#include "station/Session.h"
#include "ui/MsgBox.h"

namespace dvq3 {

void ShowModalWindow(Session& session, const QString& name) {
    if (const auto found = session.ChainWindows.find(name); found != session.ChainWindows.end()) {
        found->second(session);
        return;
    }
    session.ContinueFlag = false;
    MsgBox(kNotAvailableText, vbInformation);
}

} // namespace dvq3
