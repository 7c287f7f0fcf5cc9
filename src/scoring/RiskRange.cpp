#include "scoring/RiskRange.h"

namespace dvq3 {

QString RangeKey(int percentile, const std::array<QString, 5>& RangeName) {
    if (percentile <= 39)
        return RangeName[1];
    if (percentile <= 55)
        return QStringLiteral("MEDIUM-LOW");
    if (percentile <= 69)
        return QStringLiteral("MEDIUM-HIGH");
    if (percentile <= 89)
        return RangeName[3];
    if (percentile <= 94)
        return QStringLiteral("MAXIMUM-LOW");
    return QStringLiteral("MAXIMUM-HIGH");
}

} // namespace dvq3
