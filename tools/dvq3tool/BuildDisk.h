#pragma once

#include <QString>

namespace dvq3tool {

// Writes a data disk into folder: the client file built from the block file source (one record
// per block, the fifteen field names as keys in file order, "\xNN" for a byte by its code) and
// the TID marker. Returns an error message, empty on success.
QString BuildDisk(const QString& source, const QString& folder);

} // namespace dvq3tool
