#pragma once

#include "platform/Error.h"

#include <QString>
#include <QTextStream>

namespace dvq3test {

// What a failed step said; empty when it succeeded.
template <class Outcome> QString Said(const Outcome& outcome) {
    return outcome ? QString() : outcome.error().text();
}

// What a command of the tool printed and the status it exits with.
struct ToolRun {
    int status;
    QString out;
    QString err;
};

// Runs a command of the tool on two in-memory streams: run(out, err) returns the exit status.
template <class Command> ToolRun RunTool(Command run) {
    ToolRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.status = run(out, err);
    out.flush();
    err.flush();
    return result;
}

} // namespace dvq3test
