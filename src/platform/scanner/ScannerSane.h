#pragma once

#include "platform/scanner/Scanner.h"

#include <atomic>
#include <mutex>

namespace dvq3 {

// A scanner reached through SANE. The library is started at the first scan and kept until the
// scanner is destroyed: some backends leave a reader thread behind a failed scan, which must not
// find its code unloaded. Each scan looks for its device and opens it anew, so a scanner plugged
// in while the station runs is found at the next scan.
class ScannerSane : public Scanner {
public:
    ScannerSane() = default;
    ScannerSane(const ScannerSane&) = delete;
    ScannerSane& operator=(const ScannerSane&) = delete;
    ~ScannerSane() override;

    ScanOutcome scanPage(const ScanRequest& request, const Progress& progress) override;
    void cancel() override;

private:
    ScanOutcome Scan(const ScanRequest& request, const Progress& progress);

    // A worker left behind by a timeout may still be inside the library, which is not made for
    // two callers at once: the next scan is refused until it returns.
    std::atomic<bool> busy_{false};
    std::atomic<bool> cancelled_{false};
    bool started_ = false; // the library is initialised (changed only by the scan holding busy_)
    std::mutex handleLock_;
    void* handle_ = nullptr; // the open device, for Cancel from the window thread
};

} // namespace dvq3
