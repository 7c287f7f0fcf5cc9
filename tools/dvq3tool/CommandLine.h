#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace dvq3tool {

// Exit statuses of every command: the work is done; it could not be done (the message on
// standard error says why); the command line is wrong.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// The command line of one command of the tool ("dvq3tool report ..."), parsed by
// QCommandLineParser, and its help text, made from the same options so the two always agree.
class CommandLine {
public:
    // synopsis: the forms of the command after "dvq3tool "; about: what it does, one paragraph.
    CommandLine(const QString& command, const QStringList& synopsis, const QString& about);

    void addOption(const QCommandLineOption& option);

    // Parses args, the arguments after the command name; positional names the other arguments
    // ("DRIVE", "[SOUND_ROOT]" optional, "SOURCE..." one or more). Returns the exit status when
    // the run ends here: kExitOk once --help or -h has printed the help to out; kExitUsage once
    // a wrong option, a missing value, a missing or an unexpected argument has been told on err.
    // Otherwise nothing, and the values can be read.
    std::optional<int> parse(const QStringList& args, const QStringList& positional,
                             QTextStream& out, QTextStream& err);

    // Tells err "dvq3tool COMMAND: problem" and the usage; returns kExitUsage.
    int usageError(const QString& problem, QTextStream& err) const;

    QString helpText() const;
    bool isSet(const QString& name) const { return parser_.isSet(name); }
    QString value(const QString& name) const { return parser_.value(name); }
    QStringList positionalArguments() const { return parser_.positionalArguments(); }

private:
    QString command_;
    QStringList synopsis_;
    QString about_;
    QList<QCommandLineOption> options_;
    QCommandLineParser parser_;
};

// The lines of a help text that list options, each "  -x, --name VALUE" and its description
// in a column.
QString OptionLines(const QList<QCommandLineOption>& options);

} // namespace dvq3tool
