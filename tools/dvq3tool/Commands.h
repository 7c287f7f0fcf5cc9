#pragma once

#include <QStringList>
#include <QTextStream>

namespace dvq3tool {

// Runs the tool's command line args (without the program's name): "--help", "-h" and
// "--version" of the tool itself, or a command and its arguments. Returns the exit status:
// kExitOk, kExitFailure or kExitUsage (CommandLine.h).
int RunCommandLine(const QStringList& args, QTextStream& out, QTextStream& err);

// The tool's help: its commands and options.
QString ToolHelpText();

} // namespace dvq3tool
