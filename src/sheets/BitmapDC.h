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
    explicit BitmapDC(QImage image);

    // Logical (0, 0) reads the image pixel (x, y) from now on.
    void SetViewportOrg(int x, int y) {
        originX_ = x;
        originY_ = y;
    }
    int viewportX() const { return originX_; }
    int viewportY() const { return originY_; }

    quint32 GetPixel(int x, int y) const;
    bool IsWhite(int x, int y) const;
    int width() const { return width_; }
    int height() const { return height_; }

private:
    QImage image_;
    const uchar* bits_ = nullptr;
    qsizetype bytesPerLine_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool grey_ = false;
    int originX_ = 0;
    int originY_ = 0;
};

} // namespace dvq3
