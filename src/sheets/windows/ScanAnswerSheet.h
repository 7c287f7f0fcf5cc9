#pragma once

#include "platform/scanner/Scanner.h"
#include "sheets/ScanSwitches.h"

#include <functional>
#include <memory>

namespace dvq3 {

class Session;

// What the station scans with: its scanner, the diagnostic switches of its command line, and
// how "Stop" in the debug view ends the program.
struct ScanStation {
    std::shared_ptr<Scanner> scanner;
    ScanSwitches switches;
    std::function<void()> EndProgram;
};

// Scans a client's answer sheet: asks for the name, has the sheet put in and scanned, reads it,
// warns about fields with several marks or doubtful ones, then hands the new client at NumClients +
// 1 to the client information, court history and response entry windows for review (the grid shows
// the doubtful items); the last of them stores it. A cancel or a fault on the way stores nothing
// and leaves no new client behind.
void ScanAnswerSheet(Session& session, const ScanStation& station);

} // namespace dvq3
