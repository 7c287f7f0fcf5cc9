#include "sheets/ImagingControl.h"

#include "sheets/ScanSupport.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include <algorithm>

namespace dvq3 {
namespace {

DriveError ControlError(int code) {
    return DriveError{code, LeadErrorText(code)};
}

} // namespace

void ImagingControl::setImage(const QImage& image) {
    image_ = image.convertToFormat(QImage::Format_RGB888);
    planes_.clear();
}

Status ImagingControl::Load(const QString& file) {
    const QFileInfo info(file);
    if (!info.exists())
        return ControlError(kLeadFileNotFound);
    if (!info.isFile() || info.size() > kMaxFileBytes)
        return ControlError(kLeadInvalidFormat);
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return ControlError(kLeadCannotOpen);
    const QByteArray bytes = in.readAll();
    if (bytes.size() != info.size())
        return ControlError(kLeadReadError);
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "bmp");
    QImage loaded;
    if (!reader.read(&loaded) || loaded.isNull())
        return ControlError(kLeadInvalidFormat);
    setImage(loaded);
    return {};
}

Status ImagingControl::Save(const QString& file) const {
    if (image_.isNull())
        return ControlError(kLeadInvalidBitmap);
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return ControlError(kLeadCannotOpen);
    QImageWriter writer(&out, "bmp");
    if (!writer.write(image_) || !out.commit())
        return ControlError(kLeadWriteError);
    return {};
}

Status ImagingControl::ColorSeparate() {
    if (image_.isNull())
        return ControlError(kLeadInvalidBitmap);
    const QImage colour = image_.convertToFormat(QImage::Format_RGB888);
    const int w = colour.width();
    const int h = colour.height();
    planes_.assign(4, QImage(w, h, QImage::Format_Grayscale8));
    for (int y = 0; y < h; ++y) {
        const uchar* rgb = colour.constScanLine(y);
        uchar* out[4];
        for (int p = 0; p < 4; ++p)
            out[p] = planes_[p].scanLine(y);
        for (int x = 0; x < w; ++x, rgb += 3) {
            const int k = 255 - std::max({rgb[0], rgb[1], rgb[2]});
            const int rest = 255 - k;
            for (int c = 0; c < 3; ++c)
                out[c][x] = rest == 0 ? 0 : static_cast<uchar>((rest - rgb[c]) * 255 / rest);
            out[kPlaneBlack][x] = static_cast<uchar>(k);
        }
    }
    return {};
}

Status ImagingControl::SetColorPlane(int plane) {
    if (plane < 0 || plane >= static_cast<int>(planes_.size()))
        return ControlError(kLeadInvalidParameter);
    image_ = planes_[plane];
    planes_.clear();
    return {};
}

void ImagingControl::SetRemapTable(int index, int value) {
    if (index >= 0 && index < 256)
        remap_[index] = static_cast<uchar>(std::clamp(value, 0, 255));
}

void ImagingControl::Contrast(int amount) {
    amount = std::clamp(amount, -1000, 1000);
    std::array<uchar, 256> table{};
    for (int v = 0; v < 256; ++v) {
        int out = 0;
        if (amount == 1000)
            out = v < 128 ? 0 : 255;
        else if (amount >= 0)
            out = 128 + (v - 128) * 1000 / (1000 - amount);
        else
            out = 128 + (v - 128) * (1000 + amount) / 1000;
        table[v] = static_cast<uchar>(std::clamp(out, 0, 255));
    }
    const std::array<uchar, 256> keep = remap_;
    remap_ = table;
    RemapIntensity();
    remap_ = keep;
}

void ImagingControl::RemapIntensity() {
    const int samples = image_.format() == QImage::Format_Grayscale8 ? 1 : 3;
    for (int y = 0; y < image_.height(); ++y) {
        uchar* line = image_.scanLine(y);
        for (int i = 0, n = image_.width() * samples; i < n; ++i)
            line[i] = remap_[line[i]];
    }
}

} // namespace dvq3
