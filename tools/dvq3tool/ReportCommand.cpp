#include "ReportCommand.h"

#include "DriveLoad.h"
#include "platform/IniPaths.h"
#include "reports/ScoreClient.h"

#ifdef DVQ3TOOL_PDF
#include "reports/ReportPages.h"

#include <QGuiApplication>
#endif

namespace dvq3tool {
namespace {

constexpr int kFaulty = 2;
constexpr int kUsage = 64;

struct ReportArgs {
    int client = 0;
    QString drive;
    QString pdf;
    QString problem; // a usage error, empty when the arguments are good
};

ReportArgs ParseArgs(const QStringList& args) {
    ReportArgs parsed;
    bool haveClient = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--drive") || arg == QLatin1String("--pdf")) {
            if (i + 1 >= args.size()) {
                parsed.problem = arg + QStringLiteral(" needs a value");
                return parsed;
            }
            (arg == QLatin1String("--drive") ? parsed.drive : parsed.pdf) = args[++i];
        } else if (!haveClient) {
            bool ok = false;
            parsed.client = arg.toInt(&ok);
            if (!ok) {
                parsed.problem =
                    QStringLiteral("the client number \"%1\" is not a number").arg(arg);
                return parsed;
            }
            haveClient = true;
        } else {
            parsed.problem = QStringLiteral("unexpected argument \"%1\"").arg(arg);
            return parsed;
        }
    }
    if (!haveClient)
        parsed.problem = QStringLiteral("the client number is missing");
    else if (!parsed.pdf.isEmpty() && !CanWritePdf())
        parsed.problem = QStringLiteral("this build of dvq3tool cannot write PDF files");
    return parsed;
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
    if (parsed.client < 1 || parsed.client > session.disk.NumClients()) {
        err << "Client " << parsed.client << " is not on the data disk " << drive << " (it holds "
            << session.disk.NumClients() << " clients).\n";
        return kFaulty;
    }
    session.CurClient = parsed.client;
    auto scored = dvq3::ScoreClient(session);
    if (!scored) {
        err << MessageText(scored.error().text()) << '\n';
        return kFaulty;
    }
#ifdef DVQ3TOOL_PDF
    if (!parsed.pdf.isEmpty()) {
        if (auto printed = dvq3::PrintReportToPdf(scored.value(), parsed.pdf); !printed) {
            err << MessageText(printed.error().text()) << '\n';
            return kFaulty;
        }
    }
#endif
    out << scored.value() << '\n';
    return 0;
}

} // namespace dvq3tool
