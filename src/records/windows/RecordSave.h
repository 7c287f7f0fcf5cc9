#pragma once

#include "station/ClientRecord.h"

namespace dvq3 {

class Session;

// Writes client record index of the session's table to the data disk. A fault shows the
// station's data disk message, where OK tries again and Cancel gives up. Returns true once the
// record has reached the device as it is in memory. On giving up, the table's record is set back
// to before, so the caller's window can stay open with nothing lost.
bool SaveRecord(Session& session, int index, const ClientRecord& before);

} // namespace dvq3
