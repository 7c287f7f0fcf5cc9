#pragma once

#include <QDateTime>

namespace dvq3 {

// Where the client windows read today's date: the system clock in the station, a set one in
// tests (record dates, the latest date of birth).
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
    QDate today() const { return now().date(); }
};

// The system clock.
const Clock& SystemClock();

} // namespace dvq3
