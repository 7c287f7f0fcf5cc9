#include "reports/windows/ReportPrinting.h"

#include "platform/DriveFile.h"
#include "platform/ProgramFolder.h"
#include "platform/printer/DefaultQueue.h"
#include "reports/ReportMessages.h"
#include "reports/ReportPages.h"
#include "reports/ReportText.h"
#include "reports/ScoreClient.h"
#include "station/Session.h"
#include "ui/FileDialogs.h"
#include "ui/MsgBox.h"
#include "ui/WindowRoutines.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

#include <memory>

namespace dvq3 {
namespace {

std::function<void(const QStringList&)>& PrintJobHandler() {
    static std::function<void(const QStringList&)> handler;
    return handler;
}

QString CopyPath(int number) {
    return StationFile(QStringLiteral("temp%1").arg(number));
}

// Copies from over to, replacing to whole: a fault leaves to as it was.
bool Replace(const QString& from, const QString& to) {
    auto bytes = ReadDriveFile(from);
    return bytes && ReplaceFile(to, bytes.value(), kPrivateFile);
}

void ShowReportError(const QString& text) {
    SetDefaultPointer();
    MsgBox(text, vbCritical, kReportErrorTitle);
}

void ShowBatchCancelled(int printed, int count) {
    SetDefaultPointer();
    MsgBox(kBatchCancelled.arg(printed).arg(count), vbInformation, kBatchProgressTitle);
}

// A default PDF path in the user's home folder, with nothing in the name a folder could take.
QString PdfFileName(QString name) {
    for (QChar& c : name)
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20)
            c = u'-';
    return QDir::homePath() + u'/' + name;
}

// The default queue, asked again before every job; the test seam stands for a ready one.
DefaultQueue CheckQueue() {
    if (PrintJobHandler())
        return {DefaultQueue::State::Ready, {}, {}};
    return CheckDefaultQueue();
}

void ShowQueueFault(const QString& text) {
    SetDefaultPointer();
    MsgBox(Error::PrinterFault(text).text(), vbCritical, kPrintTitle);
}

// One printer job of pages: to the test seam when one is set, else the default printer.
Status PrintPages(const QStringList& pages) {
    if (PrintJobHandler()) {
        PrintJobHandler()(pages);
        return {};
    }
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("report.prn"));
    return RenderReportPages(pages, printer);
}

// The progress of a batch of more than one client, with Cancel; nothing for a single one.
class BatchProgress {
public:
    explicit BatchProgress(int clients) {
        if (clients < 2)
            return;
        dialog_ =
            std::make_unique<QProgressDialog>(QString(), QStringLiteral("Cancel"), 0, 2 * clients);
        dialog_->setObjectName(QStringLiteral("prgBatch"));
        dialog_->setWindowTitle(kBatchProgressTitle);
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->show();
    }
    // Shows step and what it is about; true once the user has cancelled.
    bool cancelled(int step, const QString& label) {
        if (!dialog_)
            return false;
        dialog_->setLabelText(label);
        dialog_->setValue(step);
        QCoreApplication::processEvents();
        return dialog_->wasCanceled();
    }

private:
    std::unique_ptr<QProgressDialog> dialog_;
};

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

QString ReportPdfName(int client, const QString& name) {
    return PdfFileName(kClientPdfName.arg(client).arg(name.simplified()));
}

QString BatchPdfName(int count) {
    return PdfFileName(kBatchPdfName.arg(QDate::currentDate().toString(Qt::ISODate)).arg(count));
}

void SaveReportAsPdf(QWidget* parent, const QString& pdfName) {
    const QString pdf = ChooseSaveFile(parent, kSavePdfTitle, pdfName, kPdfFilter);
    if (pdf.isEmpty())
        return;
    SetWaitPointer();
    const Status saved = PrintReportToPdf(ReportFilePath(), pdf);
    SetDefaultPointer();
    if (!saved)
        MsgBox(saved.error().text(), vbCritical, kPrintTitle);
}

void PrintReport(const QString& pdfName) {
    SetWaitPointer();
    auto text = ReadReportText();
    if (!text) {
        SetDefaultPointer();
        MsgBox(text.error().text(), vbCritical, kPrintTitle);
        return;
    }
    const DefaultQueue queue = CheckQueue();
    if (queue.state == DefaultQueue::State::Fault) {
        ShowQueueFault(kNothingPrinted.arg(queue.fault));
        return;
    }
    if (queue.state == DefaultQueue::State::NoPrinter) {
        SetDefaultPointer();
        if (MsgBox(kNoPrinterQuestion, vbYesNo | vbQuestion, kPrintTitle) == vbYes)
            SaveReportAsPdf(nullptr, pdfName);
        return;
    }
    const Status printed = PrintPages(SplitReportPages(text.value()));
    SetDefaultPointer();
    if (!printed)
        MsgBox(printed.error().text(), vbCritical, kPrintTitle);
}

bool PrintReports(Session& session, const QList<int>& clients, CopyNumber numbering,
                  OnScoringFault onFault) {
    const auto nameOf = [&session](int client) {
        return session.disk.IsTableIndex(client) ? session.disk.Clients(client).Name.trimmed()
                                                 : QString();
    };
    // A queue that cannot print now stops the batch before anything is scored or sent.
    const DefaultQueue queue = CheckQueue();
    if (queue.state == DefaultQueue::State::Fault) {
        ShowQueueFault(kNothingPrinted.arg(queue.fault));
        return false;
    }
    // Without a printer the whole batch goes to one PDF: asked once, and where once.
    const bool toPdf = queue.state == DefaultQueue::State::NoPrinter;
    QString pdf;
    if (toPdf) {
        const QString question =
            clients.size() == 1 ? kNoPrinterQuestion : kNoPrinterBatchQuestion.arg(clients.size());
        if (clients.isEmpty() || MsgBox(question, vbYesNo | vbQuestion, kPrintTitle) != vbYes)
            return false;
        pdf = ChooseSaveFile(nullptr, kSavePdfTitle,
                             clients.size() == 1 ? ReportPdfName(clients[0], nameOf(clients[0]))
                                                 : BatchPdfName(clients.size()),
                             kPdfFilter);
        if (pdf.isEmpty())
            return false;
    }
    SetWaitPointer();
    auto tables = LoadProgramScoringTables();
    if (!tables) {
        ShowReportError(tables.error().text());
        return false;
    }
    BatchProgress progress(static_cast<int>(clients.size()));
    // Every report is scored before the first one is printed.
    QList<int> copies;
    QList<int> copied; // the client of each copy
    for (int i = 0; i < clients.size(); ++i) {
        if (progress.cancelled(i, kScoringProgress.arg(clients[i]).arg(nameOf(clients[i])))) {
            ShowBatchCancelled(0, static_cast<int>(clients.size()));
            return false;
        }
        session.CurClient = clients[i];
        auto scored = ScoreClient(session, tables.value());
        if (!scored) {
            if (onFault == OnScoringFault::StopBatch) {
                ShowReportError(scored.error().text());
                return false;
            }
            ShowReportError(
                kClientNotPrinted.arg(clients[i]).arg(nameOf(clients[i]), scored.error().text()));
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
        copied << clients[i];
    }
    QStringList pdfPages;
    int printed = 0;
    bool cancelled = false;
    for (int k = 0; k < copies.size(); ++k) {
        if (progress.cancelled(static_cast<int>(clients.size()) + k,
                               kPrintingProgress.arg(copied[k]).arg(nameOf(copied[k])))) {
            cancelled = true;
            break;
        }
        if (!Replace(CopyPath(copies[k]), ReportFilePath())) {
            ShowReportError(kCopyFromFailed.arg(CopyPath(copies[k])));
            return false;
        }
        auto text = ReadReportText();
        if (!text) {
            ShowReportError(text.error().text());
            return false;
        }
        // Each report starts on a sheet of its own: every report page takes one.
        const QStringList pages = SplitReportPages(text.value());
        if (toPdf) {
            pdfPages << pages;
        } else if (const DefaultQueue now = CheckQueue(); now.state != DefaultQueue::State::Ready) {
            const QString fault = now.fault.isEmpty() ? kPrinterNotStarted : now.fault;
            ShowQueueFault(printed == 0
                               ? kNothingPrinted.arg(fault)
                               : kPartlyPrinted.arg(fault).arg(printed).arg(copies.size()));
            return false;
        } else if (const Status sent = PrintPages(pages); !sent) {
            SetDefaultPointer();
            MsgBox(sent.error().text(), vbCritical, kPrintTitle);
            return false;
        }
        ++printed;
    }
    if (toPdf && printed > 0) {
        if (const Status saved = WritePagesToPdf(pdfPages, pdf); !saved) {
            SetDefaultPointer();
            MsgBox(saved.error().text(), vbCritical, kPrintTitle);
            return false;
        }
    }
    SetDefaultPointer();
    if (cancelled)
        ShowBatchCancelled(printed, static_cast<int>(copies.size()));
    return !cancelled;
}

void PrintAllReports(Session& session) {
    QList<int> clients;
    for (int client = 1; client <= session.disk.NumClients(); ++client)
        clients << client;
    PrintReports(session, clients, CopyNumber::ClientNumber, OnScoringFault::SkipClient);
    session.CurClient = clients.isEmpty() ? 0 : 1;
}

} // namespace dvq3
