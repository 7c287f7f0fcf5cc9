#pragma once

#include "ui/FocusStyle.h"

#include <QApplication>

namespace dvq3test {

// The station's own style sheet while it lives, so that a window under test looks and behaves as
// the station shows it.
struct StationStyle {
    StationStyle() { dvq3::ApplyFocusStyle(*qApp); }
    ~StationStyle() { qApp->setStyleSheet(QString()); }
    StationStyle(const StationStyle&) = delete;
    StationStyle& operator=(const StationStyle&) = delete;
};

} // namespace dvq3test
