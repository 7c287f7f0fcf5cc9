#pragma once

#include <QString>

namespace dvq3 {

// The key of the narrative paragraph for a percentile: the risk range's name from the report
// text file, or, where the range is split, the fixed sub-range name that takes its place.
QString RangeKey(int percentile);

} // namespace dvq3
