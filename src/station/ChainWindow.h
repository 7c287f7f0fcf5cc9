#pragma once

#include <array>

namespace dvq3 {

class Session;

// The windows a chain of the station opens one after another, each modal over the session.
enum class ChainWindow {
    ClientInfo,
    CourtHistory,
    NewEntry,
    SelectEntryMethod,
    SupervisorOptions,
    ScanAnswerSheet,
};

// A client's details, then the court history, then the answers in the grid: editing a client,
// keying in an answer sheet and reviewing a scanned sheet all go this way.
inline constexpr std::array kClientChain{ChainWindow::ClientInfo, ChainWindow::CourtHistory,
                                         ChainWindow::NewEntry};

// Opens the chain's windows. The station's start-up provides the real windows; tests provide
// stand-ins. A window opened sets the session's ContinueFlag when it is confirmed.
class WindowOpener {
public:
    virtual ~WindowOpener() = default;
    // Shows the window modally and returns when it has closed; false when this station has no
    // such window.
    virtual bool open(ChainWindow window, Session& session) = 0;
};

} // namespace dvq3
