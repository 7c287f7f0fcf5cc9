#include "station/Clock.h"

namespace dvq3 {

const Clock& SystemClock() {
    static const Clock clock;
    return clock;
}

} // namespace dvq3
