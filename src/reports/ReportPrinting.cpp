#include "reports/ReportPrinting.h"

#include "platform/FileDialogs.h"
#include "platform/MsgBox.h"
#include "platform/ProgramFolder.h"
#include "records/Session.h"
#include "reports/ReportMessages.h"
#include "reports/ReportPages.h"
#include "reports/ReportText.h"
#include "reports/ScoreClient.h"
#include "ui/WindowRoutines.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>

namespace dvq3 {
namespace {

std::function<void(const QStringList&)>& PrintJobHandler() {
    static std::function<void(const QStringList&)> handler;
    return handler;
}

QString CopyPath(int number) {
    return ProgramFile(QStringLiteral("temp%1").arg(number));
}

// Copies from over to, replacing to.
bool Replace(const QString& from, const QString& to) {
    QFile::remove(to);
    return QFile::copy(from, to);
}

void ShowReportError(const QString& text) {
    SetDefaultPointer();
    MsgBox(text, vbCritical, kReportErrorTitle);
}

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
    const QString pdf = ChooseSaveFile(
        parent, kSavePdfTitle, QDir::homePath() + QStringLiteral("/report.pdf"), kPdfFilter);
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
        if (MsgBox(kNoPrinterQuestion, vbYesNo | vbQuestion, kPrintTitle) == vbYes)
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

bool PrintReports(Session& session, const QList<int>& clients, CopyNumber numbering,
                  OnScoringFault onFault) {
    SetWaitPointer();
    auto tables = LoadProgramScoringTables();
    if (!tables) {
        ShowReportError(tables.error().text());
        return false;
    }
    // Every report is scored before the first one is printed.
    QList<int> copies;
    for (int i = 0; i < clients.size(); ++i) {
        session.CurClient = clients[i];
        auto scored = ScoreClient(session, tables.value());
        if (!scored) {
            if (onFault == OnScoringFault::StopBatch) {
                ShowReportError(scored.error().text());
                return false;
            }
            const QString name = session.disk.IsTableIndex(clients[i])
                                     ? session.CurrentClient().Name.trimmed()
                                     : QString();
            ShowReportError(kClientNotPrinted.arg(clients[i]).arg(name, scored.error().text()));
            // An older copy under its number must not be mistaken for this client's report.
            if (numbering == CopyNumber::ClientNumber)
                QFile::remove(CopyPath(clients[i]));
            SetWaitPointer();
            continue;
        }
        const int copy = numbering == CopyNumber::ClientNumber
                             ? clients[i]
                             : static_cast<int>(copies.size()) + 1;
        if (!Replace(ReportFilePath(), CopyPath(copy))) {
            ShowReportError(kCopyToFailed.arg(CopyPath(copy)));
            return false;
        }
        copies << copy;
    }
    for (int copy : copies) {
        if (!Replace(CopyPath(copy), ReportFilePath())) {
            ShowReportError(kCopyFromFailed.arg(CopyPath(copy)));
            return false;
        }
        PrintReport();
    }
    SetDefaultPointer();
    return true;
}

void PrintAllReports(Session& session) {
    QList<int> clients;
    for (int client = 1; client <= session.disk.NumClients(); ++client)
        clients << client;
    PrintReports(session, clients, CopyNumber::ClientNumber, OnScoringFault::SkipClient);
    session.CurClient = clients.isEmpty() ? 0 : 1;
}

} // namespace dvq3
