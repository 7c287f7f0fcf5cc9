#include "SheetCommand.h"

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
    QString pdf;
    QString database = dvq3::ProgramFile(QStringLiteral("DVQ3.MDB"));
    bool usage = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--pdf") && i + 1 < args.size())
            pdf = args[++i];
        else if (args[i] == QLatin1String("--db") && i + 1 < args.size())
            database = args[++i];
        else
            usage = true;
    }
    if (usage || pdf.isEmpty()) {
        err << "usage: dvq3tool sheet --pdf FILE [--db FILE]\n";
        return 64;
    }
    dvq3::QuestionDatabase db;
    if (auto opened = db.open(database, false); !opened) {
        err << opened.error().text() << '\n';
        return 2;
    }
    const auto layout = dvq3::ReadScanItems(db);
    if (!layout) {
        err << QString(layout.error().text()).replace(u'\r', u' ') << '\n';
        return 2;
    }
    if (const QString error = dvq3::WriteAnswerSheetPdf(layout.value(), pdf); !error.isEmpty()) {
        err << error << '\n';
        return 2;
    }
    out << pdf << '\n';
    return 0;
}

} // namespace dvq3tool
