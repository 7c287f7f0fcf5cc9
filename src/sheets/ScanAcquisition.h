#pragma once

#include "platform/Error.h"
#include "platform/scanner/Scanner.h"
#include "sheets/ScanSupport.h"

#include <memory>

namespace dvq3 {

class ImagingControl;

// The control error code a scanner's status is reported with in the "Twain Error" box.
[[nodiscard]] int ScannerErrorCode(ScannerStatus status);

// One answer sheet as the acquisition settings describe it, from the scanner the
// initialisation file names.
[[nodiscard]] ScanRequest SheetScanRequest(const TwainSettings& settings,
                                           const ScannerConfig& config);

// Brings the answer sheet into lead: from the scanner (none: no data source), or with the
// debug switch from Debug.bmp of the program folder. The page as acquired is kept as Raw.bmp
// and then turned black and white for the reader. A failure carries the control error code as
// its number.
Status AcquireSheet(ImagingControl& lead, const std::shared_ptr<Scanner>& scanner, bool scanDebug);

} // namespace dvq3
