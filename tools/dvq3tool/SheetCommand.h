#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <memory>

namespace dvq3tool {

// dvq3tool sheet --pdf FILE [--db FILE]: draws the blank answer sheet from the layout in the
// question database (by default the program folder's DVQ3.MDB) as a one-page US Letter PDF.
// Returns 0 (also after --help); 1 when the layout cannot be read or the file cannot be written; 2
// for a usage error.
int RunSheet(const QStringList& args, QTextStream& out, QTextStream& err);

// True when the command line asks for the sheet, which needs a windowless GUI application
// (painting text needs fonts).
bool WantsSheet(int argc, char** argv);
std::unique_ptr<QCoreApplication> NewSheetApplication(int& argc, char** argv);

} // namespace dvq3tool
