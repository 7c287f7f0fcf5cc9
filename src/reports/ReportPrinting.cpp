#include "reports/ReportPrinting.h"

#include "platform/FileDialogs.h"
#include "platform/MsgBox.h"
#include "reports/ReportPages.h"
#include "reports/ReportText.h"
#include "ui/WindowRoutines.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>

namespace dvq3 {
namespace {

std::function<void(const QStringList&)>& PrintJobHandler() {
    static std::function<void(const QStringList&)> handler;
    return handler;
}

const QString kPrintTitle = QStringLiteral("Print Report");

} // namespace

void SetPrintJobHandler(std::function<void(const QStringList& pages)> handler) {
    PrintJobHandler() = std::move(handler);
}

void LoadReportText(QPlainTextEdit* control) {
    auto text = ReadReportText();
    if (!text) {
        MsgBox(text.error().text(), vbCritical, kPrintTitle);
        return;
    }
    control->setPlainText(text.value());
}

bool SaveReportAsPdf(QWidget* parent) {
    const QString pdf = ChooseSaveFile(parent, QStringLiteral("Save Report as PDF"),
                                       QDir::homePath() + QStringLiteral("/report.pdf"),
                                       QStringLiteral("PDF files (*.pdf)"));
    if (pdf.isEmpty())
        return false;
    SetWaitPointer();
    const Status saved = PrintReportToPdf(ReportFilePath(), pdf);
    SetDefaultPointer();
    if (!saved) {
        MsgBox(saved.error().text(), vbCritical, kPrintTitle);
        return false;
    }
    return true;
}

void PrintReport() {
    SetWaitPointer();
    auto text = ReadReportText();
    if (!text) {
        SetDefaultPointer();
        MsgBox(text.error().text(), vbCritical, kPrintTitle);
        return;
    }
    const QStringList pages = SplitReportPages(text.value());
    if (PrintJobHandler()) {
        PrintJobHandler()(pages);
        SetDefaultPointer();
        return;
    }
    const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
    if (printerInfo.isNull()) {
        SetDefaultPointer();
        if (MsgBox(QStringLiteral("No printer is set up on this station.\rWould you like to save "
                                  "the report as a PDF file instead?"),
                   vbYesNo | vbQuestion, kPrintTitle) == vbYes)
            SaveReportAsPdf(nullptr);
        return;
    }
    QPrinter printer(printerInfo, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("report.prn"));
    const Status printed = RenderReportPages(pages, printer);
    SetDefaultPointer();
    if (!printed)
        MsgBox(printed.error().text(), vbCritical, kPrintTitle);
}

} // namespace dvq3
