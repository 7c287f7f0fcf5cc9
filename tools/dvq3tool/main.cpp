// dvq3tool: the station's command-line companion. It links only the logic libraries (and Qt Gui
// for printing a report to a PDF).
#include "BuildDatabase.h"
#include "BuildDisk.h"
#include "DecodeCommand.h"
#include "DumpCommand.h"
#include "ReportCommand.h"
#include "SheetCommand.h"
#include "VoicesCommand.h"
#include "platform/DriveFile.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr const char* kUsage =
    "usage: dvq3tool dump DRIVE                 print the client records of a data drive as CSV\n"
    "       dvq3tool build-db OUTPUT SOURCE...  build the question database from text sources\n"
    "       dvq3tool build-disk SOURCE FOLDER [--force]\n"
    "                                           build a data disk from a text source; --force\n"
    "                                           replaces a client file that holds clients\n"
    "       dvq3tool report N [--drive DIR] [--pdf FILE]\n"
    "                                           score client N and write report.prn\n"
    "       dvq3tool report all|A-B|N,M,... --out DIR [--drive DIR] [--pdf]\n"
    "                                           write each client's report to\n"
    "                                           DIR/reportNN.prn (and reportNN.pdf)\n"
    "       dvq3tool decode IMAGE [--db FILE]    read a scanned answer sheet, print JSON\n"
    "       dvq3tool sheet --pdf FILE [--db FILE] draw the blank answer sheet\n"
    "       dvq3tool voices [--overwrite] [SOUND_ROOT]\n"
    "                                           speak the prompts into the sound folders\n";

int Report(const QString& error, QTextStream& err) {
    if (error.isEmpty())
        return 0;
    err << error << '\n';
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> app = dvq3tool::WantsSheet(argc, argv)
                                                      ? dvq3tool::NewSheetApplication(argc, argv)
                                                      : dvq3tool::NewApplication(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    // Arguments are taken as the bytes they are, so any existing folder name can be given.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << dvq3::PathFromNative(QByteArray(argv[i]));
    const QString command = args.value(0);
    if (command == QLatin1String("dump") && args.size() == 2)
        return dvq3tool::Dump(args[1], out, err);
    if (command == QLatin1String("build-db") && args.size() >= 3)
        return Report(dvq3tool::BuildDatabase(args.mid(2), args[1]), err);
    if (command == QLatin1String("build-disk") &&
        (args.size() == 3 || (args.size() == 4 && args[3] == QLatin1String("--force"))))
        return Report(dvq3tool::BuildDisk(args[1], args[2], args.size() == 4), err);
    if (command == QLatin1String("report") && args.size() >= 2)
        return dvq3tool::RunReport(args.mid(1), out, err);
    if (command == QLatin1String("decode"))
        return dvq3tool::RunDecode(args.mid(1), out, err);
    if (command == QLatin1String("sheet"))
        return dvq3tool::RunSheet(args.mid(1), out, err);
    if (command == QLatin1String("voices"))
        return dvq3tool::RunVoices(args.mid(1), out, err);
    err << kUsage;
    return 64;
}
