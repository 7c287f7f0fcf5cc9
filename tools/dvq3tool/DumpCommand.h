#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace dvq3tool {

// Prints the client records of the data drive as CSV (UTF-8, a header of the field names, the
// fields without their padding) and returns the exit status: 0, or 1 when the client file is
// missing, unreadable, refused or damaged (the message goes to err; the whole records of a
// damaged file are still printed). The drive is only read.
int Dump(const QString& drive, QTextStream& out, QTextStream& err);

// dvq3tool dump DRIVE: the command line of Dump.
int RunDump(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace dvq3tool
