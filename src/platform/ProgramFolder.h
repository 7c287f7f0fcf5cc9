#pragma once

#include <QString>

namespace dvq3 {

// The folder of the executable, where the question database, the initialisation file and the
// scoring and report text files lie. DVQ3_PROGRAM_FOLDER overrides it (tests, the tool).
QString ProgramFolder();
// ProgramFolder() + "/" + name.
QString ProgramFile(const QString& name);

// Whether the station may write into its program folder. An installed station's folder belongs
// to the system: the user's settings and files then live in the user's own folders.
bool ProgramFolderWritable();
// $XDG_CONFIG_HOME/dvq3 (else ~/.config/dvq3) and $XDG_DATA_HOME/dvq3 (else ~/.local/share/dvq3).
QString UserConfigFolder();
QString UserDataFolder();
// Where the station writes a file of its own (the report, its copies, scan images): the program
// folder when it may, else the user's data folder (created when missing, for the user alone).
QString StationFile(const QString& name);

} // namespace dvq3
