#include "ReportCommand.h"

#include "DriveLoad.h"
#include "platform/IniPaths.h"
#include "reports/ReportWriter.h"
#include "reports/ScoreClient.h"
#include "scoring/ScoringEngine.h"

#include <QDir>

#include <optional>

#ifdef DVQ3TOOL_PDF
#include "reports/ReportPages.h"

#include <QGuiApplication>
#endif

namespace dvq3tool {
namespace {

constexpr int kFaulty = 2;
constexpr int kUsage = 64;

struct ReportArgs {
    QString clients; // "all", N, "A-B" or a list of them
    int client = 0;  // the one client without --out
    QString drive;
    QString pdf;       // the PDF of a single report
    QString outDir;    // several reports: the folder they are written to
    bool pdfs = false; // several reports: a PDF beside each
    QString problem;   // a usage error, empty when the arguments are good
};

ReportArgs ParseArgs(const QStringList& args) {
    ReportArgs parsed;
    // With --out every report gets its own PDF, so --pdf names no file.
    const bool several = args.contains(QStringLiteral("--out"));
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--pdf") && several) {
            parsed.pdfs = true;
        } else if (arg == QLatin1String("--drive") || arg == QLatin1String("--pdf") ||
                   arg == QLatin1String("--out")) {
            if (i + 1 >= args.size()) {
                parsed.problem = arg + QStringLiteral(" needs a value");
                return parsed;
            }
            (arg == QLatin1String("--drive") ? parsed.drive
             : arg == QLatin1String("--pdf") ? parsed.pdf
                                             : parsed.outDir) = args[++i];
        } else if (parsed.clients.isEmpty()) {
            parsed.clients = arg;
        } else {
            parsed.problem = QStringLiteral("unexpected argument \"%1\"").arg(arg);
            return parsed;
        }
    }
    bool number = true;
    if (!several && !parsed.clients.isEmpty())
        parsed.client = parsed.clients.toInt(&number);
    if (parsed.clients.isEmpty())
        parsed.problem = QStringLiteral("the client number is missing");
    else if (!number)
        parsed.problem =
            QStringLiteral("the client number \"%1\" is not a number").arg(parsed.clients);
    else if ((!parsed.pdf.isEmpty() || parsed.pdfs) && !CanWritePdf())
        parsed.problem = QStringLiteral("this build of dvq3tool cannot write PDF files");
    return parsed;
}

// The client numbers of "all", N, "A-B" or a comma-separated list of them, in the order given.
std::optional<QList<int>> ParseClients(const QString& text, int numClients) {
    QList<int> clients;
    if (text == QLatin1String("all")) {
        for (int client = 1; client <= numClients; ++client)
            clients << client;
        return clients;
    }
    for (const QString& part : text.split(u',')) {
        const QStringList ends = part.split(u'-');
        bool firstOk = false;
        bool lastOk = ends.size() == 1;
        const int first = ends[0].toInt(&firstOk);
        const int last = ends.size() == 2 ? ends[1].toInt(&lastOk) : first;
        if (!firstOk || !lastOk || ends.size() > 2 || last < first)
            return std::nullopt;
        for (int client = first; client <= last; ++client)
            clients << client;
    }
    return clients;
}

int NotOnDisk(int client, const QString& drive, const dvq3::Session& session, QTextStream& err) {
    err << "Client " << client << " is not on the data disk " << drive << " (it holds "
        << session.disk.NumClients() << " clients).\n";
    return kFaulty;
}

#ifdef DVQ3TOOL_PDF
bool WritePdf(const QString& report, const QString& pdf, QTextStream& err) {
    if (auto printed = dvq3::PrintReportToPdf(report, pdf); !printed) {
        err << MessageText(printed.error().text()) << '\n';
        return false;
    }
    return true;
}
#else
bool WritePdf(const QString&, const QString&, QTextStream&) {
    return false;
}
#endif

int ReportOne(const ReportArgs& parsed, const QString& drive, dvq3::Session& session,
              QTextStream& out, QTextStream& err) {
    const int client = parsed.client;
    if (client < 1 || client > session.disk.NumClients())
        return NotOnDisk(client, drive, session, err);
    session.CurClient = client;
    auto scored = dvq3::ScoreClient(session);
    if (!scored) {
        err << MessageText(scored.error().text()) << '\n';
        return kFaulty;
    }
    if (!parsed.pdf.isEmpty() && !WritePdf(scored.value(), parsed.pdf, err))
        return kFaulty;
    out << scored.value() << '\n';
    return 0;
}

int ReportSeveral(const ReportArgs& parsed, const QString& drive, dvq3::Session& session,
                  QTextStream& out, QTextStream& err) {
    const auto clients = ParseClients(parsed.clients, session.disk.NumClients());
    if (!clients) {
        err << "dvq3tool report: \"" << parsed.clients
            << "\" is not \"all\", a client number, a range or a list of them\n";
        return kUsage;
    }
    for (int client : *clients)
        if (client < 1 || client > session.disk.NumClients())
            return NotOnDisk(client, drive, session, err);
    auto tables = dvq3::LoadProgramScoringTables();
    if (!tables) {
        err << MessageText(tables.error().text()) << '\n';
        return kFaulty;
    }
    int status = 0;
    for (int client : *clients) {
        const QString base =
            QDir(parsed.outDir)
                .filePath(QStringLiteral("report%1").arg(client, 2, 10, QLatin1Char('0')));
        const QString path = base + QStringLiteral(".prn");
        auto scores = dvq3::Score(session.disk.Clients(client), client, tables.value());
        auto report = scores ? dvq3::BuildReport(scores.value(), tables.value(), client)
                             : dvq3::Result<QByteArray>(scores.error());
        const dvq3::Status written =
            report ? dvq3::WriteReport(path, report.value()) : dvq3::Status(report.error());
        if (!written) {
            err << "Client " << client << ": " << MessageText(written.error().text()) << '\n';
            status = kFaulty;
            continue;
        }
        if (parsed.pdfs && !WritePdf(path, base + QStringLiteral(".pdf"), err)) {
            status = kFaulty;
            continue;
        }
        out << path << '\n';
    }
    return status;
}

} // namespace

bool CanWritePdf() {
#ifdef DVQ3TOOL_PDF
    return true;
#else
    return false;
#endif
}

std::unique_ptr<QCoreApplication> NewApplication(int& argc, char** argv) {
#ifdef DVQ3TOOL_PDF
    bool pdf = false;
    for (int i = 1; i < argc; ++i)
        pdf = pdf || QByteArray(argv[i]) == "--pdf";
    if (argc > 1 && QByteArray(argv[1]) == "report" && pdf) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
#endif
    return std::make_unique<QCoreApplication>(argc, argv);
}

int RunReport(const QStringList& args, QTextStream& out, QTextStream& err) {
    const ReportArgs parsed = ParseArgs(args);
    if (!parsed.problem.isEmpty()) {
        err << "dvq3tool report: " << parsed.problem << '\n';
        return kUsage;
    }
    const QString drive = parsed.drive.isEmpty() ? dvq3::GetINIFilePath() : parsed.drive;
    dvq3::Session session;
    if (!LoadDrive(session, drive, err))
        return kFaulty;
    return parsed.outDir.isEmpty() ? ReportOne(parsed, drive, session, out, err)
                                   : ReportSeveral(parsed, drive, session, out, err);
}

} // namespace dvq3tool
