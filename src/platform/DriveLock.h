#pragma once

#include "platform/DriveFile.h"

#include <QString>

#include <memory>

namespace dvq3 {

// The lock a station holds on the data disk it uses, so that a second station (another program
// folder, another user, another machine on a network folder) does not load the same clients and
// overwrite what the first saves. It is an advisory lock on a small file in the disk's folder;
// the file records who holds it (host, user, process), so the second station can name the first.
// Giving the lock up removes the file; a file left behind by a station that was killed holds no
// lock and is taken over.
class DriveLock {
public:
    DriveLock() = default;
    ~DriveLock();
    DriveLock(DriveLock&& other) noexcept = default;
    DriveLock& operator=(DriveLock&& other) noexcept;

    // Takes the lock through the file at path, created when missing and never through a link.
    // False when another station holds it; holder() then names that station.
    Result<bool> lock(const QString& path);
    // Gives the lock up and removes its file.
    void unlock();
    // Whether this lock is held, through the file at path.
    bool holds(const QString& path) const;
    // The station that held the lock lock() found taken, as its file records it ("user ann on
    // host desk-2, process 4711"); empty when the file says nothing usable.
    const QString& holder() const { return holder_; }

private:
    std::unique_ptr<DriveFile> file_;
    QString path_;
    QString holder_;
};

} // namespace dvq3
