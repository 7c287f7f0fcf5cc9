#pragma once

#include "station/ChainWindow.h"
#include "station/Session.h"

#include <QStringList>

#include <functional>
#include <map>

namespace dvq3test {

// Stand-ins for the chain windows: each given window runs its stand-in (which sets ContinueFlag
// as the real window would); one not given is missing from the station. Every window asked for
// is noted by its form name, in order.
struct FakeWindows : dvq3::WindowOpener {
    std::map<dvq3::ChainWindow, std::function<void(dvq3::Session&)>> windows;
    QStringList opened;

    bool open(dvq3::ChainWindow window, dvq3::Session& session) override {
        opened << dvq3::ChainWindowName(window);
        const auto found = windows.find(window);
        if (found == windows.end())
            return false;
        found->second(session);
        return true;
    }
};

} // namespace dvq3test
