#pragma once

#include <QStringList>
#include <QTextStream>

namespace dvq3tool {

// dvq3tool decode IMAGE [--db FILE]: reads a scanned answer sheet (a Windows bitmap) as the
// scan does (black plane, threshold, registration boxes, every field of the layout in the
// question database, by default the program folder's DVQ3.MDB) and prints the result as JSON.
// The database is only read. Returns 0; 2 with the "Scan Error" or "Twain Error" text on err
// when the image or the layout cannot be read or a registration box is missing; 64 for a
// usage error.
int RunDecode(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace dvq3tool
