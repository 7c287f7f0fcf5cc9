#pragma once

#include "platform/Error.h"

#include <QString>

namespace dvq3 {

class ImagingControl;

// Control error codes the imaging layer raises itself (the scanner's map onto the same table).
inline constexpr int kLeadInvalidBitmap = 20002;
inline constexpr int kLeadWriteError = 20005;
inline constexpr int kLeadReadError = 20007;
inline constexpr int kLeadInvalidFormat = 20009;
inline constexpr int kLeadFileNotFound = 20010;
inline constexpr int kLeadInvalidParameter = 20013;
inline constexpr int kLeadCannotOpen = 20014;
inline constexpr int kTwainCancelled = 20080;

// What a window shows: a message box's title and text.
struct ScanMessage {
    QString title;
    QString text;
    bool operator==(const ScanMessage&) const = default;
};

// The acquisition settings, in the order the scanner is told them: one page over the whole
// 8.5 x 11 inch frame (1440 units an inch), 8 bits per colour sample, 100 dots per inch.
struct TwainSettings {
    int MaxPages = 1;
    QString AppAuthor;
    QString AppFamily;
    int FrameLeft = 1;
    int FrameTop = 1;
    int FrameWidth = 12240;
    int FrameHeight = 15840;
    int Bits = 8;
    int PixelType = 2; // colour
    int Res = 100;
    int Flags = 0;
    bool operator==(const TwainSettings&) const = default;
};

[[nodiscard]] TwainSettings TwainSetup();

// Turns the acquired colour page into the black-and-white image the sheet reader reads: the ink
// as a red drop-out form shows it (255 minus the red channel), raised in contrast, and every
// sample at 76 or more made black (0), every other white (255). For greys this is the black
// plane; the sheet's red printing (and a red pen) becomes white, blue and black pens stay dark.
// The ink levels before the threshold are kept, so a light mark can be told from paper.
Status PrepareSheetImage(ImagingControl& lead);

// The message for a control error code; empty for a code without one.
[[nodiscard]] QString LeadErrorText(int code);
// The imaging fault of a control error code, with its message.
[[nodiscard]] Error ImagingError(int code);

// The box that reports a failed acquisition or load.
[[nodiscard]] ScanMessage TwainErrorMessage(int code);

} // namespace dvq3
