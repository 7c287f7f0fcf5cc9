#pragma once

#include "platform/Error.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace dvq3tool {

// Writes a data disk into folder: the client file built from the block file source (one record
// per block, the fifteen field names as keys in file order, "\xNN" for a byte by its code) and
// the TID marker. A client file that already holds clients is replaced only when force is set:
// otherwise the message says how many would be lost. A fault is refused with its message.
dvq3::Status BuildDisk(const QString& source, const QString& folder, bool force = false);

// dvq3tool build-disk SOURCE FOLDER [--force]: the command line of BuildDisk.
int RunBuildDisk(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace dvq3tool
