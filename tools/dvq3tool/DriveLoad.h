#pragma once

#include "station/Session.h"

#include <QString>
#include <QTextStream>

namespace dvq3tool {

// How a drive's client file was loaded.
enum class DriveLoad {
    Failed,  // nothing loaded
    Whole,   // every record
    Damaged, // the whole records before a damaged tail
};

// Loads the client file of drive into the session's table without creating or changing
// anything, as the station's drive rules allow. Tells err why not when the drive holds no client
// file or one that cannot be loaded; a damaged tail is told but its whole records are loaded.
DriveLoad LoadDrive(dvq3::Session& session, const QString& drive, QTextStream& err);

// A station message as printed on a terminal: its CR line breaks become LF.
QString MessageText(QString message);

} // namespace dvq3tool
