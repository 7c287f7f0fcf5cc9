#include "ReportCommand.h"

#include "CommandLine.h"
#include "DriveLoad.h"
#include "platform/DriveFile.h"
#include "platform/IniPaths.h"
#include "reports/ReportWriter.h"
#include "reports/ScoreClient.h"
#include "scoring/ScoringEngine.h"

#include <QDir>

#include <algorithm>
#include <optional>
#include <variant>

#include "reports/ReportPages.h"

#include <QGuiApplication>

namespace dvq3tool {
namespace {

// The clients asked for, or the first one asked for that the disk does not hold.
struct ClientChoice {
    QList<int> clients;
    std::optional<int> notOnDisk;
};

// The client numbers of "all", N, "A-B" or a comma-separated list of them, in the order given;
// nothing when the text is none of these. Every range is checked against the disk before it is
// counted out, so a range of a billion clients costs nothing.
std::optional<ClientChoice> ParseClients(const QString& text, int numClients) {
    ClientChoice choice;
    if (text == QLatin1String("all")) {
        for (int client = 1; client <= numClients; ++client)
            choice.clients << client;
        return choice;
    }
    QList<std::pair<int, int>> ranges;
    for (const QString& part : text.split(u',')) {
        const QStringList ends = part.split(u'-');
        bool firstOk = false;
        bool lastOk = ends.size() == 1;
        const int first = ends[0].toInt(&firstOk);
        const int last = ends.size() == 2 ? ends[1].toInt(&lastOk) : first;
        if (!firstOk || !lastOk || ends.size() > 2 || last < first)
            return std::nullopt;
        ranges.append({first, last});
    }
    for (const auto& [first, last] : ranges) {
        if (first < 1 || last > numClients) {
            choice.notOnDisk = first < 1 ? first : std::max(first, numClients + 1);
            return choice;
        }
    }
    for (const auto& [first, last] : ranges)
        for (int client = first; client <= last; ++client)
            choice.clients << client;
    return choice;
}

struct ReportArgs {
    QString clients; // "all", N, "A-B" or a list of them
    int client = 0;  // the one client without --out
    QString drive;
    QString pdf;       // the PDF of a single report
    QString outDir;    // several reports: the folder they are written to
    bool pdfs = false; // several reports: a PDF beside each
};

// The arguments, or the exit status when the run ends with the help or a usage error.
std::variant<ReportArgs, int> ParseArgs(const QStringList& args, QTextStream& out,
                                        QTextStream& err) {
    CommandLine line(
        QStringLiteral("report"),
        {QStringLiteral("report N [--drive DIR] [--pdf FILE]"),
         QStringLiteral("report CLIENTS --out DIR [--drive DIR] [--pdf]")},
        QStringLiteral(
            "Scores client N of the data drive named in the station's settings, dvq3test.ini\n"
            "(or DIR), writes report.prn and prints its path. With --out, scores the clients\n"
            "CLIENTS (\"all\", a number, a range \"1-51\" or a list \"1,3,5-7\") and writes\n"
            "each report to DIR/reportNN.prn (and with --pdf, no FILE, DIR/reportNN.pdf).\n"
            "The drive is only read."));
    // With --out every report gets its own PDF, so --pdf names no file.
    const bool several = std::any_of(args.begin(), args.end(), [](const QString& arg) {
        return arg == QLatin1String("--out") || arg.startsWith(QLatin1String("--out="));
    });
    line.addOption({QStringLiteral("drive"), QStringLiteral("read the data drive DIR"),
                    QStringLiteral("DIR")});
    line.addOption({QStringLiteral("out"), QStringLiteral("write the reports of CLIENTS into DIR"),
                    QStringLiteral("DIR")});
    if (several)
        line.addOption(
            {QStringLiteral("pdf"), QStringLiteral("also print each report to DIR/reportNN.pdf")});
    else
        line.addOption({QStringLiteral("pdf"),
                        QStringLiteral("also print the report to FILE as a PDF"),
                        QStringLiteral("FILE")});
    if (const auto done = line.parse(args, {QStringLiteral("[CLIENTS]")}, out, err))
        return *done;
    ReportArgs parsed;
    parsed.clients = line.positionalArguments().value(0);
    parsed.drive = line.value(QStringLiteral("drive"));
    parsed.outDir = line.value(QStringLiteral("out"));
    parsed.pdfs = several && line.isSet(QStringLiteral("pdf"));
    if (!several)
        parsed.pdf = line.value(QStringLiteral("pdf"));
    bool number = true;
    if (!several && !parsed.clients.isEmpty())
        parsed.client = parsed.clients.toInt(&number);
    if (parsed.clients.isEmpty())
        return line.usageError(QStringLiteral("the client number is missing"), err);
    // Against a disk of no clients: only the form is checked here, and nothing is counted out.
    if (several && !ParseClients(parsed.clients, 0))
        return line.usageError(
            QStringLiteral("\"%1\" is not \"all\", a client number, a range or a list of them")
                .arg(parsed.clients),
            err);
    if (!number)
        return line.usageError(
            QStringLiteral("the client number \"%1\" is not a number").arg(parsed.clients), err);
    return parsed;
}

int NotOnDisk(int client, const QString& drive, const dvq3::Session& session, QTextStream& err) {
    err << "Client " << client << " is not on the data disk " << drive << " (it holds "
        << session.disk.NumClients() << " clients).\n";
    return kExitFailure;
}

// Prints the report file to pdf; the message names the PDF that could not be written.
QString WritePdf(const QString& report, const QString& pdf) {
    if (auto printed = dvq3::PrintReportToPdf(report, pdf); !printed)
        return QStringLiteral("%1 could not be written (%2)")
            .arg(QDir::toNativeSeparators(pdf), MessageText(printed.error().text()));
    return {};
}

// "none", "client 3", "clients 3 and 5", "clients 1, 2 and 4".
QString Clients(const QList<int>& clients) {
    QStringList numbers;
    for (int client : clients)
        numbers << QString::number(client);
    if (numbers.size() < 2)
        return numbers.isEmpty() ? QStringLiteral("none") : QStringLiteral("client ") + numbers[0];
    const QString last = numbers.takeLast();
    return QStringLiteral("clients ") + numbers.join(QStringLiteral(", ")) +
           QStringLiteral(" and ") + last;
}

int ReportOne(const ReportArgs& parsed, const QString& drive, dvq3::Session& session,
              QTextStream& out, QTextStream& err) {
    const int client = parsed.client;
    if (client < 1 || client > session.disk.NumClients())
        return NotOnDisk(client, drive, session, err);
    session.CurClient = client;
    auto scored = dvq3::ScoreClient(session);
    if (!scored) {
        err << MessageText(scored.error().text()) << '\n';
        return kExitFailure;
    }
    if (const QString failed =
            parsed.pdf.isEmpty() ? QString() : WritePdf(scored.value(), parsed.pdf);
        !failed.isEmpty()) {
        err << failed << '\n';
        return kExitFailure;
    }
    out << scored.value() << '\n';
    return 0;
}

int ReportSeveral(const ReportArgs& parsed, const QString& drive, dvq3::Session& session,
                  QTextStream& out, QTextStream& err) {
    // The form was checked with the arguments.
    const auto choice = ParseClients(parsed.clients, session.disk.NumClients()).value();
    if (choice.notOnDisk)
        return NotOnDisk(*choice.notOnDisk, drive, session, err);
    auto tables = dvq3::LoadProgramScoringTables();
    if (!tables) {
        err << MessageText(tables.error().text()) << '\n';
        return kExitFailure;
    }
    QList<int> complete;
    QList<int> failed;
    for (int client : choice.clients) {
        const QString base =
            QDir(parsed.outDir)
                .filePath(QStringLiteral("report%1").arg(client, 2, 10, QLatin1Char('0')));
        const QString path = base + QStringLiteral(".prn");
        const QString pdf = base + QStringLiteral(".pdf");
        auto scores = dvq3::Score(session.disk.Clients(client), client, tables.value());
        auto report = scores ? dvq3::BuildReport(scores.value(), tables.value(), client)
                             : dvq3::Result<QByteArray>(scores.error());
        QString fault;
        if (!report)
            fault = MessageText(report.error().text());
        else if (auto written = dvq3::ReplaceFile(path, report.value(), dvq3::kPrivateFile);
                 !written)
            fault = QStringLiteral("%1 could not be written (%2)")
                        .arg(QDir::toNativeSeparators(path), written.error().text());
        else if (parsed.pdfs)
            fault = WritePdf(path, pdf);
        if (!fault.isEmpty()) {
            // What a failed client leaves would be half a set, or an older one: neither stays.
            (void)dvq3::RemoveDriveFile(path);
            (void)dvq3::RemoveDriveFile(pdf);
            err << "Client " << client << ": " << fault << "; no report of client " << client
                << " is left in " << QDir::toNativeSeparators(parsed.outDir) << ".\n";
            failed << client;
            continue;
        }
        complete << client;
        out << path << '\n';
    }
    if (failed.isEmpty())
        return 0;
    err << "Complete: " << Clients(complete) << ". Not written: " << Clients(failed) << ".\n";
    return kExitFailure;
}

} // namespace

std::unique_ptr<QCoreApplication> NewApplication(int& argc, char** argv) {
    bool pdf = false;
    for (int i = 1; i < argc; ++i)
        pdf = pdf || QByteArray(argv[i]) == "--pdf" || QByteArray(argv[i]).startsWith("--pdf=");
    if (argc > 1 && QByteArray(argv[1]) == "report" && pdf) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

int RunReport(const QStringList& args, QTextStream& out, QTextStream& err) {
    const auto parsedOrDone = ParseArgs(args, out, err);
    if (const int* done = std::get_if<int>(&parsedOrDone))
        return *done;
    const ReportArgs& parsed = std::get<ReportArgs>(parsedOrDone);
    const QString drive = parsed.drive.isEmpty() ? dvq3::GetINIFilePath() : parsed.drive;
    dvq3::Session session;
    if (LoadDrive(session, drive, err) == DriveLoad::Failed)
        return kExitFailure;
    return parsed.outDir.isEmpty() ? ReportOne(parsed, drive, session, out, err)
                                   : ReportSeveral(parsed, drive, session, out, err);
}

} // namespace dvq3tool
