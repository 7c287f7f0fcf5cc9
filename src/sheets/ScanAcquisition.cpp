#include "sheets/ScanAcquisition.h"

#include "platform/ProgramFolder.h"
#include "sheets/ImagingControl.h"

namespace dvq3 {
namespace {

constexpr double kTwipsPerInch = 1440.0;

} // namespace

int ScannerErrorCode(ScannerStatus status) {
    // The control's table has no paper-handling texts: a jam or an open cover is the device
    // reporting an error, an empty feeder a page that is not there.
    switch (status) {
    case ScannerStatus::Cancelled:
        return 20090;
    case ScannerStatus::NoDocs:
        return 20006;
    case ScannerStatus::Jammed:
    case ScannerStatus::CoverOpen:
        return 20084;
    case ScannerStatus::NoMem:
        return 20081;
    case ScannerStatus::AccessDenied:
        return kLeadCannotOpen;
    case ScannerStatus::DeviceBusy:
        return 20083;
    case ScannerStatus::Invalid:
        return 20087;
    case ScannerStatus::Unsupported:
        return 20085;
    case ScannerStatus::NoBackend:
        return 20079;
    case ScannerStatus::NoDevice:
        return 20082;
    case ScannerStatus::BadFormat:
        return 20012;
    case ScannerStatus::Timeout:
        return kTwainCancelled;
    case ScannerStatus::IoError:
    case ScannerStatus::Good:
        break;
    }
    return 20000;
}

ScanRequest SheetScanRequest(const TwainSettings& settings, const ScannerConfig& config) {
    ScanRequest request;
    request.device = config.device;
    request.options = config.options;
    request.colour = settings.PixelType == 2;
    request.bitsPerSample = settings.Bits;
    request.dpi = settings.Res;
    request.frameInches =
        QRectF(settings.FrameLeft / kTwipsPerInch, settings.FrameTop / kTwipsPerInch,
               settings.FrameWidth / kTwipsPerInch, settings.FrameHeight / kTwipsPerInch);
    return request;
}

Status AcquireSheet(ImagingControl& lead, const std::shared_ptr<Scanner>& scanner, bool scanDebug) {
    if (scanDebug) {
        if (auto loaded = lead.Load(ProgramFile(QStringLiteral("Debug.bmp"))); !loaded)
            return loaded;
    } else {
        if (!scanner)
            return ImagingError(ScannerErrorCode(ScannerStatus::NoDevice));
        const ScannerConfig config = ReadScannerConfig();
        const ScanOutcome outcome =
            AcquirePage(scanner, SheetScanRequest(TwainSetup(), config), config.quiet);
        if (outcome.status != ScannerStatus::Good)
            return ImagingError(ScannerErrorCode(outcome.status));
        lead.setImage(outcome.page);
    }
    if (auto saved = lead.Save(StationFile(QStringLiteral("Raw.bmp"))); !saved)
        return saved;
    return PrepareSheetImage(lead);
}

} // namespace dvq3
