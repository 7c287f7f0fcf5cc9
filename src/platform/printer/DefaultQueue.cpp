#include "platform/printer/DefaultQueue.h"

#include <cups/cups.h>

namespace dvq3 {
namespace {

QString Option(const cups_dest_t* dest, const char* name) {
    return QString::fromUtf8(cupsGetOption(name, dest->num_options, dest->options));
}

// A scheduler named by the settings (CUPS_SERVER, client.conf, the local socket) that cannot be
// reached. "localhost" is where libcups turns when nothing names one and no local scheduler has
// left its socket: a station without a printing system at all, rather than a stopped one.
bool NamedServerSilent() {
    if (qstrcmp(cupsServer(), "localhost") == 0)
        return false;
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                5000, nullptr);
    if (!http)
        return true;
    httpClose(http);
    return false;
}

} // namespace

DefaultQueue CheckDefaultQueue() {
    DefaultQueue queue;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest) {
        if (NamedServerSilent()) {
            queue.state = DefaultQueue::State::Fault;
            queue.fault = QStringLiteral("The printing service %1 does not answer.")
                              .arg(QString::fromUtf8(cupsServer()));
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
