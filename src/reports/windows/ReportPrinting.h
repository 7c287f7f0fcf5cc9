#pragma once

#include <QList>
#include <QStringList>

#include <functional>

class QPlainTextEdit;
class QWidget;

namespace dvq3 {

class Session;

// Puts the text of the report file into the viewer's text box.
void LoadReportText(QPlainTextEdit* control);

// The default PDF of one client's report (in the home folder, naming the client), and of a batch
// (naming the date and the count).
QString ReportPdfName(int client, const QString& name);
QString BatchPdfName(int count);

// Prints the report file on the default printer, one printer job, one printed page per report
// page, with the wait pointer meanwhile. Without a printer the station says so and offers to
// save the report as a PDF instead, pdfName offered as its name.
void PrintReport(const QString& pdfName);

// Offers to save the report file as a PDF named pdfName; a file that cannot be written is said in
// a message box.
void SaveReportAsPdf(QWidget* parent, const QString& pdfName);

// How the copies of a batch are numbered: "temp" and the copy's place in the batch (1, 2, ...)
// or the client's record number.
enum class CopyNumber { InBatchOrder, ClientNumber };
// What a client that cannot be scored does to a batch: stops it before anything is printed, or
// is skipped with a message naming it, the others printed.
enum class OnScoringFault { StopBatch, SkipClient };

// Prints the reports of clients (record numbers), the scoring tables read once. First every
// client is made current, scored and its report kept as a numbered copy beside report.prn;
// then each copy is put back over report.prn and printed, one printer job per client, in the
// order given. Without a printer the question is asked once and every report goes into one PDF,
// each on sheets of its own. More than one client shows a progress window whose Cancel stops
// before the next client and says how many were printed. CurClient is left at the last client
// scored. Faults are shown; returns false when one stopped the batch or it was cancelled.
bool PrintReports(Session& session, const QList<int>& clients, CopyNumber numbering,
                  OnScoringFault onFault);

// Prints every client's report (copies temp1, temp2 ... by client number), skipping a client
// that cannot be scored with a message naming it; CurClient is 1 afterwards.
void PrintAllReports(Session& session);

// Test seam: receives each printer job's pages instead of a printer.
void SetPrintJobHandler(std::function<void(const QStringList& pages)> handler);

} // namespace dvq3
