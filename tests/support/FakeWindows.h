#pragma once

#include "station/ChainWindow.h"
#include "station/Session.h"

#include <QStringList>

#include <functional>
#include <map>

namespace dvq3test {

// The form name of a chain window, as the station's windows are named.
inline QString ChainWindowName(dvq3::ChainWindow window) {
    switch (window) {
    case dvq3::ChainWindow::ClientInfo:
        return QStringLiteral("frmClientInfo");
    case dvq3::ChainWindow::CourtHistory:
        return QStringLiteral("frmCourtHistory");
    case dvq3::ChainWindow::NewEntry:
        return QStringLiteral("frmNewEntry");
    case dvq3::ChainWindow::SelectEntryMethod:
        return QStringLiteral("frmSelectEntryMethod");
    case dvq3::ChainWindow::SupervisorOptions:
        return QStringLiteral("frmSupervisorOptions");
    case dvq3::ChainWindow::ScanAnswerSheet:
        return QStringLiteral("ScanAnswerSheet");
    }
    return {};
}

// Stand-ins for the chain windows: each given window runs its stand-in (which sets ContinueFlag
// as the real window would); one not given is missing from the station. Every window asked for
// is noted by its form name, in order.
struct FakeWindows : dvq3::WindowOpener {
    std::map<dvq3::ChainWindow, std::function<void(dvq3::Session&)>> windows;
    QStringList opened;

    bool open(dvq3::ChainWindow window, dvq3::Session& session) override {
        opened << ChainWindowName(window);
        const auto found = windows.find(window);
        if (found == windows.end())
            return false;
        found->second(session);
        return true;
    }
};

} // namespace dvq3test
