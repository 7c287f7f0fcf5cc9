#include "ScannerFake.h"

namespace dvq3 {

void ScannerFake::givePage(const QImage& page) {
    const std::lock_guard hold(lock_);
    next_ = {ScannerStatus::Good, page.convertToFormat(QImage::Format_RGB32)};
}

void ScannerFake::giveStatus(ScannerStatus status) {
    const std::lock_guard hold(lock_);
    next_ = {status, {}};
}

void ScannerFake::hang(bool honoursCancel) {
    const std::lock_guard hold(lock_);
    hang_ = true;
    honoursCancel_ = honoursCancel;
    released_ = false;
}

void ScannerFake::release() {
    {
        const std::lock_guard hold(lock_);
        released_ = true;
    }
    wake_.notify_all();
}

std::vector<ScanRequest> ScannerFake::requests() const {
    const std::lock_guard hold(lock_);
    return requests_;
}

int ScannerFake::cancels() const {
    const std::lock_guard hold(lock_);
    return cancels_;
}

ScanOutcome ScannerFake::scanPage(const ScanRequest& request, const Progress& progress) {
    std::unique_lock hold(lock_);
    requests_.push_back(request);
    cancelled_ = false;
    if (hang_) {
        wake_.wait(hold, [this] { return released_ || (honoursCancel_ && cancelled_); });
        if (cancelled_)
            return {ScannerStatus::Cancelled, {}};
    }
    hold.unlock();
    progress();
    hold.lock();
    return next_;
}

void ScannerFake::cancel() {
    {
        const std::lock_guard hold(lock_);
        cancelled_ = true;
        ++cancels_;
    }
    wake_.notify_all();
}

} // namespace dvq3
