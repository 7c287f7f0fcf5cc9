#include "sheets/BitmapDC.h"

#include <utility>

namespace dvq3 {

BitmapDC::BitmapDC(QImage image) : image_(std::move(image)) {
    if (image_.format() != QImage::Format_Grayscale8 && image_.format() != QImage::Format_RGB888)
        image_ = image_.convertToFormat(QImage::Format_RGB888);
}

quint32 BitmapDC::GetPixel(int x, int y) const {
    x += originX_;
    y += originY_;
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return kInvalidColor;
    const uchar* line = image_.constScanLine(y);
    if (image_.format() == QImage::Format_Grayscale8) {
        const quint32 v = line[x];
        return v | (v << 8) | (v << 16);
    }
    const uchar* rgb = line + 3 * x;
    return quint32(rgb[0]) | (quint32(rgb[1]) << 8) | (quint32(rgb[2]) << 16);
}

bool BitmapDC::IsWhite(int x, int y) const {
    x += originX_;
    y += originY_;
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return false;
    const uchar* line = image_.constScanLine(y);
    if (image_.format() == QImage::Format_Grayscale8)
        return line[x] == 255;
    const uchar* rgb = line + 3 * x;
    return rgb[0] == 255 && rgb[1] == 255 && rgb[2] == 255;
}

} // namespace dvq3
