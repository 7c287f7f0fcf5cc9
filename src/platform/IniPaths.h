#pragma once

#include "platform/Error.h"

#include <QString>
#include <QStringList>

namespace dvq3 {

// The station's settings: dvq3test.ini of the program folder, or of the user's configuration
// folder when the program folder cannot be written (an installed station) and the user has one.
QString IniFilePath();
// The user's own settings file of an installed station (in UserConfigFolder()).
QString UserIniFilePath();
// Makes the user's settings of an installed station on its first use: the program folder's
// dvq3test.ini is copied to the user's configuration folder, and when it names the bundled
// sample data disk, that disk is copied to the user's data folder (the bundled one cannot be
// written) and named instead. Does nothing when the program folder can be written or the user
// has settings already.
Status PrepareUserSettings();

// Reads the settings file once, so that a file that is there but cannot be read is told rather
// than taken for one without settings. A missing file is no fault.
Status CheckINIReadable();

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
