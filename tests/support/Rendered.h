#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QWidget>

namespace dvq3test {

// Part of a control as its window shows it on the screen: the whole window is rendered (style
// sheet, palette and all), then cut to the rectangle, given in the control's coordinates (the
// whole control when empty).
inline QImage Rendered(const QWidget* control, QRect part = {}) {
    if (part.isEmpty())
        part = control->rect();
    QWidget* window = control->window();
    return window->grab().toImage().copy(
        QRect(control->mapTo(window, part.topLeft()), part.size()));
}

// The colour most of an image shows.
inline QColor Background(const QImage& image) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000];
    QRgb most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(most))
            most = it.key();
    return QColor::fromRgb(most);
}

inline int Distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

// The colour of the text written on an image: the pixel farthest from its background, where a
// glyph is drawn at full strength.
inline QColor Ink(const QImage& image) {
    const QRgb back = Background(image).rgb();
    QRgb farthest = back;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Distance(image.pixel(x, y), back) > Distance(farthest, back))
                farthest = image.pixel(x, y);
    return QColor::fromRgb(farthest | 0xff000000);
}

// How many pixels the text covers: bold text covers clearly more than the same text plain.
inline int InkCount(const QImage& image) {
    const QRgb back = Background(image).rgb();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += Distance(image.pixel(x, y), back) > 3 * 64;
    return count;
}

// A colour as the tests name it: the station's own colours by name, any other in hexadecimal.
inline QString ColourName(const QColor& colour) {
    const std::pair<QRgb, const char*> named[] = {
        {0x00ffff, "cyan"}, {0x0000ff, "blue"}, {0xffffff, "white"}, {0x000000, "black"}};
    for (const auto& [rgb, name] : named)
        if ((colour.rgb() & 0xffffff) == rgb)
            return QString::fromLatin1(name);
    return colour.name();
}

} // namespace dvq3test
