#include "sheets/windows/AnswerSheetPrinting.h"

#include "platform/printer/DefaultQueue.h"
#include "sheets/AnswerSheetDrawing.h"
#include "sheets/ScanItem.h"
#include "sheets/ScanMessages.h"
#include "ui/FileDialogs.h"
#include "ui/MsgBox.h"
#include "ui/WindowRoutines.h"

#include <QAction>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace dvq3 {
namespace {

std::function<void(const QImage&)>& PrintHandler() {
    static std::function<void(const QImage&)> handler;
    return handler;
}

void SaveAsPdf(const std::vector<ScanItem>& layout, QWidget* parent) {
    const QString pdf = ChooseSaveFile(parent, kSaveAnswerSheetCaption,
                                       QDir::homePath() + QStringLiteral("/AnswerSheet.pdf"),
                                       QStringLiteral("PDF files (*.pdf)"));
    if (pdf.isEmpty())
        return;
    SetWaitPointer();
    const Status written = WriteAnswerSheetPdf(layout, pdf);
    SetDefaultPointer();
    if (!written)
        MsgBox(written.error().text(), vbCritical, kPrintAnswerSheetTitle);
}

} // namespace

void SetAnswerSheetPrintHandler(std::function<void(const QImage& page)> handler) {
    PrintHandler() = std::move(handler);
}

void PrintBlankAnswerSheet(const QuestionDatabase& db, QWidget* parent) {
    const auto layout = ReadScanItems(db);
    if (!layout) {
        MsgBox(layout.error().text(), vbCritical, kPrintAnswerSheetTitle);
        return;
    }
    if (PrintHandler()) {
        QImage page(kSheetWidth, kSheetHeight, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        DrawAnswerSheet(painter, layout.value());
        painter.end();
        PrintHandler()(page);
        return;
    }
    const DefaultQueue queue = CheckDefaultQueue();
    if (queue.state == DefaultQueue::State::Fault) {
        MsgBox(queue.fault + u'\r' + kAnswerSheetPrinterError, vbCritical, kPrintAnswerSheetTitle);
        return;
    }
    const QPrinterInfo printerInfo = QPrinterInfo::printerInfo(queue.name);
    if (queue.state == DefaultQueue::State::NoPrinter || printerInfo.isNull()) {
        if (MsgBox(kAnswerSheetNoPrinterText, vbYesNo | vbQuestion, kPrintAnswerSheetTitle) ==
            vbYes)
            SaveAsPdf(layout.value(), parent);
        return;
    }
    SetWaitPointer();
    QPrinter printer(printerInfo, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("DVQ-III Answer Sheet"));
    // The reader measures from the registration boxes at 100 dots per inch: no margins, no
    // fitting to the page.
    printer.setFullPage(true);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    bool printed = painter.begin(&printer);
    if (printed) {
        const double scale = printer.resolution() / 100.0;
        painter.scale(scale, scale);
        DrawAnswerSheet(painter, layout.value());
        printed = painter.end();
    }
    SetDefaultPointer();
    if (!printed)
        MsgBox(kAnswerSheetPrinterError, vbCritical, kPrintAnswerSheetTitle);
}

void AddAnswerSheetMenuEntry(QMainWindow& mainMenu, const QuestionDatabase& db) {
    auto* options = mainMenu.findChild<QMenu*>(QStringLiteral("mnuOptions"));
    if (!options)
        return;
    QAction* entry = options->addAction(kAnswerSheetMenuCaption);
    entry->setObjectName(QStringLiteral("mnuOptionsAnswerSheet"));
    QObject::connect(entry, &QAction::triggered, &mainMenu,
                     [&mainMenu, &db] { PrintBlankAnswerSheet(db, &mainMenu); });
}

} // namespace dvq3
