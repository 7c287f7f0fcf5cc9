#include "sheets/PolarPoint.h"

#include <algorithm>
#include <cmath>

namespace dvq3 {
namespace {

qint16 RoundHalfEven(double value) {
    // Positions beyond the 16-bit range are off any page; keep them off it.
    if (!std::isfinite(value))
        return 0;
    value = std::clamp(value, -32768.0, 32767.0);
    const double whole = std::floor(value);
    const double fraction = value - whole;
    double rounded = fraction > 0.5 ? whole + 1 : whole;
    if (fraction == 0.5 && std::fmod(whole, 2.0) != 0)
        rounded = whole + 1;
    return static_cast<qint16>(rounded);
}

} // namespace

PolarPoint PolarToRect(PolarPoint p) {
    const double radians = static_cast<double>(p.theta) * kScanPi / 180.0;
    p.x = RoundHalfEven(static_cast<double>(p.r) * std::cos(radians));
    p.y = RoundHalfEven(static_cast<double>(p.r) * std::sin(radians));
    return p;
}

PolarPoint RectToPolar(PolarPoint p) {
    const double x = p.x;
    const double y = p.y;
    p.r = static_cast<float>(std::sqrt(x * x + y * y));
    p.theta = p.x != 0 ? static_cast<float>(std::atan(y / x) * 180.0 / kScanPi) : 90.0F;
    return p;
}

} // namespace dvq3
