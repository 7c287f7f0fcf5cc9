#pragma once

#include <QString>

#include <array>

namespace dvq3 {

// The key of the narrative paragraph for a percentile: the risk range's name from the report
// text file (RangeName of the tables), or, where the range is split, the fixed sub-range name
// that takes its place.
QString RangeKey(int percentile, const std::array<QString, 5>& RangeName);

} // namespace dvq3
