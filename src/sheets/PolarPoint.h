#pragma once

#include <QtGlobal>

namespace dvq3 {

// A position on the answer sheet, in pixels at 100 dpi (x to the right, y downwards), held both
// as rectangular and as polar coordinates (theta in degrees).
struct PolarPoint {
    qint16 x = 0;
    qint16 y = 0;
    float r = 0;
    float theta = 0;
};

// The value of pi the layout's polar positions were computed with.
inline constexpr double kScanPi = 3.14159265359;

// x and y from r and theta, each rounded to the nearest integer, halves to even.
[[nodiscard]] PolarPoint PolarToRect(PolarPoint p);
// r and theta from x and y; theta is 90 when x is 0 (no quadrant correction: the layout lies to
// the right of the anchor box).
[[nodiscard]] PolarPoint RectToPolar(PolarPoint p);

} // namespace dvq3
