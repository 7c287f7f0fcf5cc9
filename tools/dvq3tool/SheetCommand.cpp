#include "SheetCommand.h"

#include "CommandLine.h"
#include "platform/ProgramFolder.h"
#include "platform/QuestionDatabase.h"
#include "sheets/AnswerSheetDrawing.h"
#include "sheets/ScanItem.h"

#include <QGuiApplication>

namespace dvq3tool {

bool WantsSheet(int argc, char** argv) {
    return argc > 1 && QByteArray(argv[1]) == "sheet";
}

std::unique_ptr<QCoreApplication> NewSheetApplication(int& argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

int RunSheet(const QStringList& args, QTextStream& out, QTextStream& err) {
    CommandLine line(QStringLiteral("sheet"), {QStringLiteral("sheet --pdf FILE [--db FILE]")},
                     QStringLiteral("Draws the blank answer sheet as a one-page US Letter PDF."));
    line.addOption(
        {QStringLiteral("pdf"), QStringLiteral("write the sheet to FILE"), QStringLiteral("FILE")});
    line.addOption({QStringLiteral("db"),
                    QStringLiteral("read the sheet's layout from FILE (default: the program "
                                   "folder's DVQ3.MDB)"),
                    QStringLiteral("FILE"), dvq3::ProgramFile(QStringLiteral("DVQ3.MDB"))});
    if (const auto done = line.parse(args, {}, out, err))
        return *done;
    const QString pdf = line.value(QStringLiteral("pdf"));
    if (pdf.isEmpty())
        return line.usageError(QStringLiteral("--pdf FILE is missing"), err);
    const QString database = line.value(QStringLiteral("db"));
    dvq3::QuestionDatabase db;
    if (auto opened = db.open(database, false); !opened) {
        err << opened.error().text() << '\n';
        return kExitFailure;
    }
    const auto layout = dvq3::ReadScanItems(db);
    if (!layout) {
        err << QString(layout.error().text()).replace(u'\r', u' ') << '\n';
        return kExitFailure;
    }
    if (const dvq3::Status written = dvq3::WriteAnswerSheetPdf(layout.value(), pdf); !written) {
        err << written.error().text() << '\n';
        return kExitFailure;
    }
    out << pdf << '\n';
    return 0;
}

} // namespace dvq3tool
