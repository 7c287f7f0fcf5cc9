#include "Commands.h"

#include "BuildDatabase.h"
#include "BuildDisk.h"
#include "CommandLine.h"
#include "DecodeCommand.h"
#include "DumpCommand.h"
#include "ReportCommand.h"
#include "SheetCommand.h"
#include "VoicesCommand.h"

namespace dvq3tool {
namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& args, QTextStream& out, QTextStream& err);
};

constexpr Command kCommands[] = {
    {"dump", "print the client records of a data drive as CSV", RunDump},
    {"report", "score clients and write their reports (and PDFs)", RunReport},
    {"build-db", "build the question database from text sources", RunBuildDatabase},
    {"build-disk", "build a data disk from a text source", RunBuildDisk},
    {"decode", "read a scanned answer sheet, print JSON", RunDecode},
    {"sheet", "draw the blank answer sheet as a PDF", RunSheet},
    {"voices", "speak the prompts into the sound folders", RunVoices},
};

const QCommandLineOption kHelp({QStringLiteral("h"), QStringLiteral("help")},
                               QStringLiteral("print this help and exit"));
const QCommandLineOption kVersion(QStringLiteral("version"),
                                  QStringLiteral("print the version and exit"));

constexpr const char* kSynopsis = "usage: dvq3tool COMMAND [ARGUMENT...]\n"
                                  "       dvq3tool COMMAND --help\n"
                                  "       dvq3tool --help | --version\n";

int UsageError(const QString& problem, QTextStream& err) {
    err << "dvq3tool: " << problem << '\n' << kSynopsis << "Try \"dvq3tool --help\".\n";
    return kExitUsage;
}

} // namespace

QString ToolHelpText() {
    QString text = QString::fromLatin1(kSynopsis) +
                   QStringLiteral("\nThe DVQ-III station's command-line companion.\n\ncommands:\n");
    for (const Command& command : kCommands)
        text += QStringLiteral("  %1%2\n")
                    .arg(QString::fromLatin1(command.name).leftJustified(12),
                         QLatin1String(command.summary));
    return text + QStringLiteral("\noptions:\n") + OptionLines({kHelp, kVersion}) +
           QStringLiteral("\nexit status: 0 done, 1 the work could not be done (the message says "
                          "why),\n2 a wrong command line.\n");
}

int RunCommandLine(const QStringList& args, QTextStream& out, QTextStream& err) {
    for (const Command& command : kCommands)
        if (args.value(0) == QLatin1String(command.name))
            return command.run(args.mid(1), out, err);
    QCommandLineParser parser;
    parser.addOptions({kHelp, kVersion});
    if (!parser.parse(QStringList{QStringLiteral("dvq3tool")} + args))
        return UsageError(parser.errorText(), err);
    if (parser.isSet(kHelp)) {
        out << ToolHelpText();
        return kExitOk;
    }
    if (parser.isSet(kVersion)) {
        out << "dvq3tool " << DVQ3_VERSION << '\n';
        return kExitOk;
    }
    if (parser.positionalArguments().isEmpty())
        return UsageError(QStringLiteral("no command given"), err);
    return UsageError(
        QStringLiteral("unknown command \"%1\"").arg(parser.positionalArguments().constFirst()),
        err);
}

} // namespace dvq3tool
