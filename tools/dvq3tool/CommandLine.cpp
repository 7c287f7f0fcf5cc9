#include "CommandLine.h"

#include <algorithm>

namespace dvq3tool {
namespace {

const QCommandLineOption kHelp({QStringLiteral("h"), QStringLiteral("help")},
                               QStringLiteral("print this help and exit"));

QString OptionNames(const QCommandLineOption& option) {
    QStringList names;
    for (const QString& name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString text = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        text += u' ' + option.valueName();
    return text;
}

} // namespace

QString OptionLines(const QList<QCommandLineOption>& options) {
    qsizetype width = 0;
    for (const QCommandLineOption& option : options)
        width = std::max(width, OptionNames(option).size());
    QString text;
    for (const QCommandLineOption& option : options)
        text += QStringLiteral("  ") + OptionNames(option).leftJustified(width + 2) +
                option.description() + u'\n';
    return text;
}

CommandLine::CommandLine(const QString& command, const QStringList& synopsis, const QString& about)
    : command_(command), synopsis_(synopsis), about_(about) {
    // "-abc" stays three short options, as on every other command line.
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    addOption(kHelp);
}

void CommandLine::addOption(const QCommandLineOption& option) {
    options_.insert(std::max<qsizetype>(options_.size() - 1, 0), option); // help comes last
    parser_.addOption(option);
}

std::optional<int> CommandLine::parse(const QStringList& args, const QStringList& positional,
                                      QTextStream& out, QTextStream& err) {
    // The parser takes the first argument as the program's name.
    if (!parser_.parse(QStringList{QStringLiteral("dvq3tool")} + args))
        return usageError(parser_.errorText(), err);
    if (parser_.isSet(kHelp)) {
        out << helpText();
        return kExitOk;
    }
    const QStringList rest = parser_.positionalArguments();
    const bool more =
        !positional.isEmpty() && positional.constLast().endsWith(QLatin1String("..."));
    if (!more && rest.size() > positional.size())
        return usageError(QStringLiteral("unexpected argument \"%1\"").arg(rest[positional.size()]),
                          err);
    if (rest.size() < positional.size() && !positional[rest.size()].startsWith(u'['))
        return usageError(QString(positional[rest.size()]).remove(QStringLiteral("...")) +
                              QStringLiteral(" is missing"),
                          err);
    return std::nullopt;
}

int CommandLine::usageError(const QString& problem, QTextStream& err) const {
    err << "dvq3tool " << command_ << ": " << problem << '\n';
    for (qsizetype i = 0; i < synopsis_.size(); ++i)
        err << (i == 0 ? "usage: " : "       ") << "dvq3tool " << synopsis_[i] << '\n';
    err << "Try \"dvq3tool " << command_ << " --help\".\n";
    return kExitUsage;
}

QString CommandLine::helpText() const {
    QString text;
    for (qsizetype i = 0; i < synopsis_.size(); ++i)
        text += (i == 0 ? QStringLiteral("usage: ") : QStringLiteral("       ")) +
                QStringLiteral("dvq3tool ") + synopsis_[i] + u'\n';
    return text + u'\n' + about_ + QStringLiteral("\n\noptions:\n") + OptionLines(options_);
}

} // namespace dvq3tool
