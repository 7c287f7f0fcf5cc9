#pragma once

#include "platform/Error.h"

#include <QString>

namespace dvq3 {

// The engine's number for a database another station holds open.
inline constexpr int kDatabaseInUse = 3045;

// The hold a station keeps on its question database for the whole run. It is a lock on the
// whole file of its own kind (flock), apart from the byte-range locks the database engine takes
// for each transaction: a second station cannot take it, nor can the tool when it would replace
// the file, while the tool's reading commands, which do not ask for it, read beside the station
// under the engine's own locking.
class DatabaseLock {
public:
    DatabaseLock() = default;
    ~DatabaseLock();
    DatabaseLock(const DatabaseLock&) = delete;
    DatabaseLock& operator=(const DatabaseLock&) = delete;

    // Takes the hold on the file at path without waiting: kDatabaseInUse while another holds it.
    Status acquire(const QString& path);
    void release();
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// The description of a database that a running station holds.
QString HeldByStationText();

} // namespace dvq3
