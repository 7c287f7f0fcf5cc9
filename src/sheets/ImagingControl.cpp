#include "sheets/ImagingControl.h"

#include "platform/DriveFile.h"
#include "sheets/ScanSupport.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>

namespace dvq3 {
void ImagingControl::setImage(const QImage& image) {
    image_ = image.convertToFormat(QImage::Format_RGB32);
    separated_ = QImage();
    inkLevels_ = QImage();
}

Status ImagingControl::Load(const QString& file) {
    // Only a regular file of a sane size is read: a pipe, a device or an endless file (one that
    // says it is empty and never ends) is not an image.
    auto bytes = ReadDriveFile(file, DriveFile::Mode::ReadOnly, kMaxFileBytes);
    if (!bytes) {
        const Error& error = bytes.error();
        if (error.refused())
            return ImagingError(kLeadInvalidFormat);
        const int number = error.number();
        return ImagingError(number == 53 || number == 76 ? kLeadFileNotFound
                            : number == 70               ? kLeadCannotOpen
                                                         : kLeadReadError);
    }
    QBuffer buffer;
    buffer.setData(bytes.value());
    QImageReader reader(&buffer, "bmp");
    QImage loaded;
    if (!reader.read(&loaded) || loaded.isNull())
        return ImagingError(kLeadInvalidFormat);
    setImage(loaded);
    return {};
}

Status ImagingControl::Save(const QString& file) const {
    if (image_.isNull())
        return ImagingError(kLeadInvalidBitmap);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QImageWriter writer(&out, "bmp");
    if (!writer.write(image_))
        return ImagingError(kLeadWriteError);
    // Put in place whole, so a fault never leaves half an image behind; a scanned sheet shows
    // a client's answers, so only its user may read it.
    if (auto written = ReplaceFile(file, out.data(), kPrivateFile); !written)
        return ImagingError(kLeadCannotOpen);
    return {};
}

Status ImagingControl::ColorSeparate() {
    if (image_.isNull())
        return ImagingError(kLeadInvalidBitmap);
    separated_ = image_.convertToFormat(QImage::Format_RGB32);
    inkLevels_ = QImage();
    return {};
}

// A plane is worked out when it is chosen: the scan only ever keeps one.
Status ImagingControl::SetColorPlane(int plane) {
    if (separated_.isNull() || plane < kPlaneCyan || plane > kPlaneRedDropOut)
        return ImagingError(kLeadInvalidParameter);
    const int w = separated_.width();
    QImage out(w, separated_.height(), QImage::Format_Grayscale8);
    for (int y = 0; y < out.height(); ++y) {
        const QRgb* rgb = reinterpret_cast<const QRgb*>(separated_.constScanLine(y));
        uchar* line = out.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const int channel[3] = {qRed(rgb[x]), qGreen(rgb[x]), qBlue(rgb[x])};
            const int rest = std::max({channel[0], channel[1], channel[2]});
            line[x] = plane == kPlaneRedDropOut ? static_cast<uchar>(255 - channel[0])
                      : plane == kPlaneBlack    ? static_cast<uchar>(255 - rest)
                      : rest == 0               ? 0
                                  : static_cast<uchar>((rest - channel[plane]) * 255 / rest);
        }
    }
    image_ = out;
    separated_ = QImage();
    return {};
}

void ImagingControl::KeepInkLevels() {
    inkLevels_ = image_.format() == QImage::Format_Grayscale8 ? image_ : QImage();
}

void ImagingControl::SetRemapTable(int index, int value) {
    if (index >= 0 && index < 256)
        remap_[index] = static_cast<uchar>(std::clamp(value, 0, 255));
}

void ImagingControl::Contrast(int amount) {
    const int divisor = 1000 - std::clamp(amount, 0, 999);
    std::array<uchar, 256> table{};
    for (int v = 0; v < 256; ++v)
        table[v] = static_cast<uchar>(std::clamp(128 + (v - 128) * 1000 / divisor, 0, 255));
    const std::array<uchar, 256> keep = remap_;
    remap_ = table;
    RemapIntensity();
    remap_ = keep;
}

void ImagingControl::RemapIntensity() {
    if (image_.isNull())
        return;
    const bool grey = image_.format() == QImage::Format_Grayscale8;
    const int w = image_.width();
    const int h = image_.height();
    const qsizetype bytesPerLine = image_.bytesPerLine();
    uchar* bits = image_.bits();
    for (int y = 0; y < h; ++y) {
        uchar* line = bits + y * bytesPerLine;
        if (grey) {
            for (int x = 0; x < w; ++x)
                line[x] = remap_[line[x]];
            continue;
        }
        QRgb* rgb = reinterpret_cast<QRgb*>(line);
        for (int x = 0; x < w; ++x)
            rgb[x] = qRgb(remap_[qRed(rgb[x])], remap_[qGreen(rgb[x])], remap_[qBlue(rgb[x])]);
    }
}

} // namespace dvq3
