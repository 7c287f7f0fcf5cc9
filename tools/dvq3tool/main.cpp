// dvq3tool: the station's command-line companion. It links only the logic libraries (and Qt Gui
// for printing a report to a PDF).
#include "BuildDatabase.h"
#include "BuildDisk.h"
#include "DumpCommand.h"
#include "ReportCommand.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr const char* kUsage =
    "usage: dvq3tool dump DRIVE                 print the client records of a data drive as CSV\n"
    "       dvq3tool build-db OUTPUT SOURCE...  build the question database from text sources\n"
    "       dvq3tool build-disk SOURCE FOLDER   build a data disk from a text source\n"
    "       dvq3tool report N [--drive DIR] [--pdf FILE]\n"
    "                                           score client N and write report.prn\n"
    "       dvq3tool report all|A-B|N,M,... --out DIR [--drive DIR] [--pdf]\n"
    "                                           write each client's report to\n"
    "                                           DIR/reportNN.prn (and reportNN.pdf)\n";

int Report(const QString& error, QTextStream& err) {
    if (error.isEmpty())
        return 0;
    err << error << '\n';
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> app = dvq3tool::NewApplication(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    const QStringList args = app->arguments().mid(1);
    const QString command = args.value(0);
    if (command == QLatin1String("dump") && args.size() == 2)
        return dvq3tool::Dump(args[1], out, err);
    if (command == QLatin1String("build-db") && args.size() >= 3)
        return Report(dvq3tool::BuildDatabase(args.mid(2), args[1]), err);
    if (command == QLatin1String("build-disk") && args.size() == 3)
        return Report(dvq3tool::BuildDisk(args[1], args[2]), err);
    if (command == QLatin1String("report") && args.size() >= 2)
        return dvq3tool::RunReport(args.mid(1), out, err);
    err << kUsage;
    return 64;
}
