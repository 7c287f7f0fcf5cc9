#pragma once

#include "platform/Error.h"
#include "station/ClientRecord.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace dvq3 {

class Session;

// A name made unreadable for good: same length, spaces where they were, every other character a
// printable one drawn from the system's secure random source, so nothing of the name survives.
QString ScrambleName(const QString& name);

// Deletes the name of every client whose name is not yet deleted, one record at a time: the
// name scrambled, NameDeleted "1", nothing else of the record changed. save(i, before) writes
// record i (before is the record as it was) and returns false when it could not; deletion then
// stops, and a later run goes on from the first client not yet deleted.
bool DeleteNames(Session& session, const std::function<bool(int, const ClientRecord&)>& save);

// The station's own files that show clients' names: the report file, its numbered copies
// (temp1, temp2 ...) and the last scanned answer sheet (Raw.bmp), where they are.
QStringList StationFilesWithNames();
// Removes those files, and the temporaries killed writers left of them, so that no name
// outlives its deletion; the fault names the first file that could not be removed.
Status RemoveStationFilesWithNames();

} // namespace dvq3
