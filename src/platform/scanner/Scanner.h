#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>

namespace dvq3 {

// How a scan ended. The scanner-specific statuses are the ones a page scanner reports; NoBackend,
// NoDevice, BadFormat and Timeout are the station's own findings.
enum class ScannerStatus {
    Good,
    Cancelled,
    NoDocs,
    Jammed,
    CoverOpen,
    IoError,
    NoMem,
    AccessDenied,
    DeviceBusy,
    Invalid,     // a setting the device refused
    Unsupported, // an operation the device cannot do
    NoBackend,   // the scanner library cannot start
    NoDevice,    // no scanner, or not the one named
    BadFormat,   // a page in a form the station cannot take
    Timeout,     // the scanner stopped answering and was given up
};

// What the station asks of the scanner for one page.
struct ScanRequest {
    QString device;      // the scanner's name; empty: the first one found
    QStringList options; // "name=value" settings of the scanner's own, applied last
    bool colour = true;
    int bitsPerSample = 8;
    int dpi = 100;
    QRectF frameInches{0, 0, 8.5, 11}; // left, top, width, height
};

struct ScanOutcome {
    ScannerStatus status = ScannerStatus::Good;
    QImage page; // RGB32 at the requested resolution when the status is Good
};

// A page scanner. ScanPage runs on a worker thread, so that the windows keep repainting while
// the device works; it touches no window and calls progress whenever the device answers.
class Scanner {
public:
    using Progress = std::function<void()>;
    virtual ~Scanner() = default;
    virtual ScanOutcome scanPage(const ScanRequest& request, const Progress& progress) = 0;
    // Asks a ScanPage running on another thread to stop as soon as the device lets it.
    virtual void cancel() = 0;
};

// The [Scanner] section of the initialisation file: Device (a scanner name, else the first
// found), Options ("name=value" pairs separated by ";", for the device's own settings) and
// Timeout (seconds the device may stay silent before the scan is given up).
struct ScannerConfig {
    QString device;
    QStringList options;
    std::chrono::milliseconds quiet{std::chrono::seconds(90)};
};
[[nodiscard]] ScannerConfig ReadScannerConfig();

// Scans one page with scanner on a worker thread while this thread's events keep running (user
// input waits). A device silent for longer than quiet is cancelled; one that does not return
// within grace after that is left behind, and the scan ends with Timeout either way.
[[nodiscard]] ScanOutcome AcquirePage(const std::shared_ptr<Scanner>& scanner,
                                      const ScanRequest& request, std::chrono::milliseconds quiet,
                                      std::chrono::milliseconds grace = std::chrono::seconds(3));

} // namespace dvq3
