#pragma once

#include "records/ClientRecord.h"

namespace dvq3 {

class Session;

// Writes client record index of the session's table (stored already) to the data disk. A fault
// shows the station's data disk message, where OK tries again and Cancel gives up. Returns true
// once the file holds the record as it is in memory. On giving up, the table's record is set to
// what the file holds (before, when the file cannot be read), so memory and file agree and the
// caller's window can stay open with nothing lost.
bool SaveRecord(Session& session, int index, const ClientRecord& before);

} // namespace dvq3
