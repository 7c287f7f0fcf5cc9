#pragma once

#include "platform/scanner/Scanner.h"

#include <condition_variable>
#include <mutex>
#include <vector>

namespace dvq3 {

// A scanner for tests: gives the page or the status it was told, keeps every request, and can
// stand for a device that never answers.
class ScannerFake : public Scanner {
public:
    void givePage(const QImage& page);
    void giveStatus(ScannerStatus status);
    // The next scans wait until release(); a cancel is noted but does not end the wait unless
    // honoursCancel.
    void hang(bool honoursCancel);
    void release();

    std::vector<ScanRequest> requests() const;
    int cancels() const;

    ScanOutcome scanPage(const ScanRequest& request, const Progress& progress) override;
    void cancel() override;

private:
    mutable std::mutex lock_;
    std::condition_variable wake_;
    ScanOutcome next_;
    bool hang_ = false;
    bool honoursCancel_ = false;
    bool released_ = false;
    bool cancelled_ = false;
    int cancels_ = 0;
    std::vector<ScanRequest> requests_;
};

} // namespace dvq3
