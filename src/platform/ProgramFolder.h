#pragma once

#include <QString>

namespace dvq3 {

// The folder of the executable, where the question database, the initialisation file and the
// scoring and report text files lie. DVQ3_PROGRAM_FOLDER overrides it (tests, the tool).
QString ProgramFolder();
// ProgramFolder() + "/" + name.
QString ProgramFile(const QString& name);

} // namespace dvq3
