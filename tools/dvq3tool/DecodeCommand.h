#pragma once

#include <QStringList>
#include <QTextStream>

namespace dvq3tool {

// dvq3tool decode IMAGE [--db FILE]: reads a scanned answer sheet (a Windows bitmap) as the
// scan does (ink through the red drop-out, threshold, registration boxes, every field of the
// layout in the question database, by default the program folder's DVQ3.MDB) and prints the
// result as JSON: each field's value, whether it is doubtful, and each bubble's darkness (dark
// pixels) and ink (pixels holding any ink). The database is only read. Returns 0; 1 with the
// "Scan Error" or "Twain Error" text on err when the image or the layout cannot be read or the
// sheet is refused; 2 for a usage error.
int RunDecode(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace dvq3tool
