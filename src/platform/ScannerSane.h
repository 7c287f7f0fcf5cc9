#pragma once

#include "platform/Scanner.h"

#include <atomic>
#include <mutex>

namespace dvq3 {

// A scanner reached through SANE. Each page opens the library and the device and closes both
// again, so a scanner plugged in while the station runs is found at the next scan.
class ScannerSane : public Scanner {
public:
    ScanOutcome ScanPage(const ScanRequest& request, const Progress& progress) override;
    void Cancel() override;

private:
    ScanOutcome Scan(const ScanRequest& request, const Progress& progress);

    // A worker left behind by a timeout may still be inside the library, which is not made for
    // two callers at once: the next scan is refused until it returns.
    std::atomic<bool> busy_{false};
    std::atomic<bool> cancelled_{false};
    std::mutex handleLock_;
    void* handle_ = nullptr; // the open device, for Cancel from the window thread
};

} // namespace dvq3
