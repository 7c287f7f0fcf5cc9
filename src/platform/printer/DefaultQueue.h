#pragma once

#include <QString>

namespace dvq3 {

// What the print scheduler says of the station's default queue just before a job goes to it.
struct DefaultQueue {
    enum class State { Ready, NoPrinter, Fault };
    State state = State::NoPrinter;
    QString name;
    // Why nothing may be printed now (Fault only): the queue and what it is doing.
    QString fault;
};

// Asks CUPS for its default destination. A queue that is paused or refuses jobs, or a scheduler
// that is configured but does not answer, is a fault: a job sent then would wait or vanish while
// the station reported it printed. No scheduler and no default queue mean no printer at all.
DefaultQueue CheckDefaultQueue();

} // namespace dvq3
