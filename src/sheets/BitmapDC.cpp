#include "sheets/BitmapDC.h"

#include <utility>

namespace dvq3 {

BitmapDC::BitmapDC(QImage image, QImage inkLevels)
    : image_(std::move(image)), inkLevels_(std::move(inkLevels)) {
    if (image_.format() != QImage::Format_Grayscale8 && image_.format() != QImage::Format_RGB32)
        image_ = image_.convertToFormat(QImage::Format_RGB32);
    bits_ = image_.constBits();
    bytesPerLine_ = image_.bytesPerLine();
    width_ = image_.width();
    height_ = image_.height();
    grey_ = image_.format() == QImage::Format_Grayscale8;
    if (inkLevels_.format() == QImage::Format_Grayscale8 && inkLevels_.size() == image_.size()) {
        inkBits_ = inkLevels_.constBits();
        inkBytesPerLine_ = inkLevels_.bytesPerLine();
    } else {
        inkLevels_ = QImage();
    }
}

quint32 BitmapDC::GetPixel(int x, int y) const {
    x += originX_;
    y += originY_;
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return kInvalidColor;
    const uchar* line = bits_ + y * bytesPerLine_;
    if (grey_) {
        const quint32 v = line[x];
        return v | (v << 8) | (v << 16);
    }
    const QRgb rgb = reinterpret_cast<const QRgb*>(line)[x];
    return quint32(qRed(rgb)) | (quint32(qGreen(rgb)) << 8) | (quint32(qBlue(rgb)) << 16);
}

bool BitmapDC::IsWhite(int x, int y) const {
    x += originX_;
    y += originY_;
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return false;
    const uchar* line = bits_ + y * bytesPerLine_;
    if (grey_)
        return line[x] == 255;
    return (reinterpret_cast<const QRgb*>(line)[x] & 0xFFFFFFu) == 0xFFFFFFu;
}

int BitmapDC::InkLevel(int x, int y) const {
    if (!inkBits_)
        return IsWhite(x, y) ? 0 : 255;
    x += originX_;
    y += originY_;
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 255;
    return inkBits_[y * inkBytesPerLine_ + x];
}

} // namespace dvq3
