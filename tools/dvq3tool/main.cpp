// dvq3tool: the station's command-line companion. It links only the logic libraries (and Qt Gui
// for printing a report to a PDF).
#include "Commands.h"
#include "ReportCommand.h"
#include "SheetCommand.h"
#include "platform/DriveFile.h"

#include <QCoreApplication>
#include <QTextStream>

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
    return dvq3tool::RunCommandLine(args, out, err);
}
