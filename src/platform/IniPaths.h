#pragma once

#include "platform/Error.h"

#include <QString>
#include <QStringList>

namespace dvq3 {

// The station's settings in dvq3test.ini of the program folder.
QString IniFilePath();

// [Path] FilePath: the last data drive that passed its check ("a:" when absent).
QString GetINIFilePath();
// [Path] SndPath: the root of the sound folders ("c:" when absent).
QString GetINISndPath();
Status WriteINIFilePath(const QString& path);
// [RecentDrives] Drive1..: the data drives established before, the latest first.
QStringList GetINIRecentDrives();
// Puts drive first among the recent drives, keeping a few.
Status AddINIRecentDrive(const QString& drive);
// [Options] SystemDB = program folder + "/kpxltd.mda", written at every launch; creates the file
// when it is missing.
Status WriteINISystemDB();

} // namespace dvq3
