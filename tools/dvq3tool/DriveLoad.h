#pragma once

#include "station/Session.h"

#include <QString>
#include <QTextStream>

namespace dvq3tool {

// Loads the client file of drive into the session's table without creating or changing
// anything, as the station's drive rules allow. Tells err why not, and returns false, when the
// drive holds no client file or one that cannot be loaded; a damaged tail is told but its whole
// records are loaded (damaged is then set).
bool LoadDrive(dvq3::Session& session, const QString& drive, QTextStream& err,
               bool* damaged = nullptr);

// A station message as printed on a terminal: its CR line breaks become LF.
QString MessageText(QString message);

} // namespace dvq3tool
