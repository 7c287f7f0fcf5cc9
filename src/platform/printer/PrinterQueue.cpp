#include "platform/printer/PrinterQueue.h"

#include <cups/cups.h>

namespace dvq3 {
namespace {

QString Option(const cups_dest_t* dest, const char* name) {
    return QString::fromUtf8(cupsGetOption(name, dest->num_options, dest->options));
}

// Where libcups turns when nothing names a scheduler and no local one has left its socket: a
// station without a printing system at all, rather than one whose scheduler has stopped.
bool OnlyTheFallbackServer() {
    return qstrcmp(cupsServer(), "localhost") == 0;
}

} // namespace

DefaultQueue CheckDefaultQueue() {
    DefaultQueue queue;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest) {
        if (cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE && !OnlyTheFallbackServer()) {
            queue.state = DefaultQueue::State::Fault;
            queue.fault = QStringLiteral("The printing service does not answer (%1).")
                              .arg(QString::fromUtf8(cupsLastErrorString()));
        }
        return queue;
    }
    queue.name = QString::fromUtf8(dest->name);
    queue.state = DefaultQueue::State::Ready;
    if (Option(dest, "printer-is-accepting-jobs") == QLatin1String("false")) {
        queue.state = DefaultQueue::State::Fault;
        queue.fault = QStringLiteral("The printer %1 is not accepting jobs.").arg(queue.name);
    } else if (Option(dest, "printer-state") == QLatin1String("5")) {
        // IPP's "stopped": paused by its administrator or halted by a fault.
        queue.state = DefaultQueue::State::Fault;
        queue.fault = QStringLiteral("The printer %1 is paused.").arg(queue.name);
    }
    const QString reason = Option(dest, "printer-state-message");
    if (queue.state == DefaultQueue::State::Fault && !reason.isEmpty())
        queue.fault += u' ' + reason;
    cupsFreeDests(1, dest);
    return queue;
}

} // namespace dvq3
