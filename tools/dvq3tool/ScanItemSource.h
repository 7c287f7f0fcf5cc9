#pragma once

#include "sheets/ScanItem.h"

#include <QString>

#include <vector>

namespace dvq3 {
class QuestionDatabase;
}

namespace dvq3tool {

struct ScanItemSource {
    std::vector<dvq3::ScanItem> items;
    QString error; // "file:line: what is wrong", empty when the file read cleanly
};

// Reads the answer sheet layout source (data/sheets/ScanItem.txt): one line per field,
// "LocationName | x | y | dimx | dx | DimY | dy"; '#' starts a comment line. The polar
// position is computed from x and y, and must give x and y back exactly.
ScanItemSource ReadScanItemSource(const QString& path);

// Creates and fills table "ScanItem" from the source. A fault is refused with its message.
dvq3::Status BuildScanItemTable(const dvq3::QuestionDatabase& db, const QString& source);

} // namespace dvq3tool
