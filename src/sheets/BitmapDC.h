#pragma once

#include <QImage>
#include <QtGlobal>

namespace dvq3 {

// Pixel access to the image being recognised, as the sheet reader needs it: colours by
// coordinates relative to a movable origin, where every position outside the image reads as a
// colour that is not white (so the edge of the scan never passes for paper).
class BitmapDC {
public:
    // Colours are 0x00BBGGRR; kInvalidColor is what a position outside the image gives.
    static constexpr quint32 kWhite = 0x00FFFFFFu;
    static constexpr quint32 kInvalidColor = 0xFFFFFFFFu;

    BitmapDC() = default;
    // inkLevels, when given, is a grey image of the same size holding how much ink each pixel
    // had before the image was made black and white (0 = paper, 255 = full ink).
    explicit BitmapDC(QImage image, QImage inkLevels = {});

    // Logical (0, 0) reads the image pixel (x, y) from now on.
    void SetViewportOrg(int x, int y) {
        originX_ = x;
        originY_ = y;
    }
    int viewportX() const { return originX_; }
    int viewportY() const { return originY_; }

    quint32 GetPixel(int x, int y) const;
    bool IsWhite(int x, int y) const;
    // The pixel's ink level, 0 to 255: from the kept levels, else 0 for white and 255 for any
    // other colour; outside the image 255, like the dark the image's edge reads as.
    int InkLevel(int x, int y) const;
    int width() const { return width_; }
    int height() const { return height_; }

private:
    QImage image_;
    QImage inkLevels_;
    const uchar* bits_ = nullptr;
    const uchar* inkBits_ = nullptr;
    qsizetype inkBytesPerLine_ = 0;
    qsizetype bytesPerLine_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool grey_ = false;
    int originX_ = 0;
    int originY_ = 0;
};

} // namespace dvq3
