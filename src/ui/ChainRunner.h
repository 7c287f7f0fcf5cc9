#pragma once

#include "station/ChainWindow.h"

#include <QString>

#include <initializer_list>
#include <span>

namespace dvq3 {

class Session;

// Opens the windows one after another through the session's window opener, each modal over
// the session. Only the window about to open may say whether the chain goes on: ContinueFlag is
// cleared before each, and the chain stops at the first window that leaves it unset. A window
// this station lacks says so and cancels the chain. Returns whether the last window was
// confirmed.
bool RunChain(Session& session, std::span<const ChainWindow> windows);
bool RunChain(Session& session, std::initializer_list<ChainWindow> windows);

inline const QString kNotAvailableText =
    QStringLiteral("This function is not available yet in this version of the station.");

} // namespace dvq3
