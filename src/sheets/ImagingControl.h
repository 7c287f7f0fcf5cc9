#pragma once

#include "platform/Error.h"
#include "sheets/BitmapDC.h"

#include <QImage>
#include <QString>

#include <array>
#include <vector>

namespace dvq3 {

// The station's imaging object: one bitmap with the operations the scan asks of it. After
// acquisition or Load the bitmap is a colour image with 8 bits per sample; after the black
// plane is chosen it is an 8-bit grey image. Failures carry the control error codes whose texts
// LeadErrorText gives.
class ImagingControl {
public:
    static constexpr int kPlaneCyan = 0;
    static constexpr int kPlaneMagenta = 1;
    static constexpr int kPlaneYellow = 2;
    static constexpr int kPlaneBlack = 3;
    // The ink of a red drop-out form: 255 minus the red channel. Greys give their black plane,
    // the red printing none, and blue and black pens stay dark (a red pen vanishes like the
    // printing).
    static constexpr int kPlaneRedDropOut = 4;
    // Larger files are not images of one page at 100 dpi.
    static constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

    // A page from the scanner (or a test): kept as 8 bits per colour sample.
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    bool isNull() const { return image_.isNull(); }

    // Reads a Windows bitmap file as a colour image.
    Status Load(const QString& file);
    // Writes a Windows bitmap file: 24 bits per pixel for a colour image, so that the raw scan
    // keeps every colour, 8-bit grey for a grey image. The file is replaced whole.
    Status Save(const QString& file) const;

    // Splits the colour image into cyan, magenta, yellow and black planes (255 = full ink),
    // and the red drop-out plane. The black plane is 255 minus the brightest channel, so a
    // colour with one channel at full strength has no black at all.
    Status ColorSeparate();
    // Makes one plane of the last separation the bitmap (a grey image).
    Status SetColorPlane(int plane);
    // Keeps the grey bitmap as it is now (ink levels before any threshold), for the reader to
    // tell a light mark from paper after the bitmap has been made black and white.
    void KeepInkLevels();

    void SetRemapTable(int index, int value);
    // Stretches every sample away from the middle grey 128: amount 0 to 999 multiplies the
    // distance by 1000 / (1000 - amount), so 800 makes it five times; results are clipped to
    // 0..255. (The sheet only ever raises contrast.)
    void Contrast(int amount);
    // Replaces every sample (every channel of a colour image) by its remap table entry.
    void RemapIntensity();

    // Pixel access to the current bitmap, origin at its top-left corner, with the ink levels
    // kept, if any.
    BitmapDC GetBitmapDC() const { return BitmapDC(image_, inkLevels_); }

private:
    QImage image_;
    QImage separated_; // the colour image the planes come from
    QImage inkLevels_;
    std::array<uchar, 256> remap_{};
};

} // namespace dvq3
