#pragma once

#include <QStringList>

namespace dvq3 {

// The scan's diagnostic switches, read from the whole command line in upper case:
// "/V ALL" (debug view before every bubble test), else "/V FIRST" (before the first bubble of
// every field), and "/SCAN=DEBUG" (read Debug.bmp from the program folder instead of scanning).
struct ScanSwitches {
    bool VerboseAll = false;
    bool VerboseFirst = false;
    bool ScanDebug = false;
    bool operator==(const ScanSwitches&) const = default;
};

[[nodiscard]] ScanSwitches ReadScanSwitches(const QStringList& arguments);

} // namespace dvq3
