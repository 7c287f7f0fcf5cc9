#include "ui/ChainRunner.h"

#include "station/Session.h"
#include "ui/MsgBox.h"

namespace dvq3 {

bool RunChain(Session& session, std::span<const ChainWindow> windows) {
    for (const ChainWindow window : windows) {
        session.ContinueFlag = false;
        if (!session.windowOpener || !session.windowOpener->open(window, session)) {
            MsgBox(kNotAvailableText, vbInformation);
            return false;
        }
        if (!session.ContinueFlag)
            return false;
    }
    return session.ContinueFlag;
}

bool RunChain(Session& session, std::initializer_list<ChainWindow> windows) {
    return RunChain(session, std::span(windows.begin(), windows.size()));
}

} // namespace dvq3
