#include "sheets/ScanSwitches.h"

namespace dvq3 {

ScanSwitches ReadScanSwitches(const QStringList& arguments) {
    const QString line = arguments.join(u' ').toUpper();
    ScanSwitches switches;
    switches.VerboseAll = line.contains(QLatin1String("/V ALL"));
    switches.VerboseFirst = !switches.VerboseAll && line.contains(QLatin1String("/V FIRST"));
    switches.ScanDebug = line.contains(QLatin1String("/SCAN=DEBUG"));
    return switches;
}

} // namespace dvq3
