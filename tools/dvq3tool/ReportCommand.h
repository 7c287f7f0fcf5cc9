#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <memory>

namespace dvq3tool {

// dvq3tool report N [--drive DIR] [--pdf FILE]: scores client N of the data drive named in the
// program folder's dvq3test.ini (or DIR) and writes report.prn in the program folder, then
// optionally prints it to a PDF. Prints the report's path.
// dvq3tool report CLIENTS --out DIR [--drive DIR] [--pdf]: CLIENTS is "all", a number, a range
// "1-51" or a list of them "1,3,5-7"; writes each client's report to DIR/reportNN.prn (NN the
// client number, two digits), and with --pdf DIR/reportNN.pdf beside it, reading the scoring
// tables once. Every client asked for must be on the disk, checked before anything is done.
// Prints the path of each complete report (its .prn and, asked for, its .pdf); a client that
// cannot be scored or written is told, naming the file, its files are removed rather than left
// half written or out of date, the others are written, and a closing line says which clients
// are complete and which are not.
// The drive is only read. Returns 0 (also after --help); 1 when the drive, a client number or the
// scoring files are at fault (the message goes to err); 2 for a usage error.
int RunReport(const QStringList& args, QTextStream& out, QTextStream& err);

// The application object for the command line: a windowless GUI application when a report is
// printed to a PDF (painting text needs fonts), else a core application.
std::unique_ptr<QCoreApplication> NewApplication(int& argc, char** argv);

} // namespace dvq3tool
