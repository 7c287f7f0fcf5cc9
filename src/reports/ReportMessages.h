#pragma once

#include <QString>

namespace dvq3 {

// The texts and titles the report windows and printing show, for their code and their tests.

inline const QString kReportErrorTitle = QStringLiteral("Report Error");
inline const QString kPrintTitle = QStringLiteral("Print Report");
inline const QString kNoPrinterQuestion =
    QStringLiteral("No printer is set up on this station.\rWould you like to save the report as "
                   "a PDF file instead?");
inline const QString kNoPrinterBatchQuestion =
    QStringLiteral("No printer is set up on this station.\rWould you like to save the %1 reports "
                   "in one PDF file instead?");
inline const QString kSavePdfTitle = QStringLiteral("Save Report as PDF");
// The default PDF names: one client's report (number, name), or several (date, count).
inline const QString kClientPdfName = QStringLiteral("DVQ-III report %1 %2.pdf");
inline const QString kBatchPdfName = QStringLiteral("DVQ-III reports %1 (%2 clients).pdf");
// The progress of a batch: client number, name; and what a cancel leaves done.
inline const QString kBatchProgressTitle = QStringLiteral("Printing Reports");
inline const QString kScoringProgress = QStringLiteral("Scoring the report of client %1 (%2)...");
inline const QString kPrintingProgress = QStringLiteral("Printing the report of client %1 (%2)...");
inline const QString kBatchCancelled =
    QStringLiteral("Printing was cancelled: %1 of the %2 reports were printed.");
inline const QString kPdfFilter = QStringLiteral("PDF files (*.pdf)");
inline const QString kPdfTitle = QStringLiteral("Corvalent-III report");

// A numbered copy of report.prn that could not be made or put back: the copy's path.
inline const QString kCopyToFailed = QStringLiteral("The report could not be copied to %1.");
inline const QString kCopyFromFailed = QStringLiteral("The report could not be copied from %1.");
// Printing all reports skips a client that cannot be scored: number, name, the reason.
inline const QString kClientNotPrinted =
    QStringLiteral("The report of client %1 (%2) is not printed.\r%3");

// Printer faults.
inline const QString kPrinterNotStarted = QStringLiteral("The printer could not be started");
inline const QString kPrinterNoNewPage = QStringLiteral("The printer could not start a new page");
inline const QString kPrinterNotFinished =
    QStringLiteral("The printer could not finish the document");
// The default queue cannot take a job now (the scheduler's reason); and part of a batch printed.
inline const QString kNothingPrinted = QStringLiteral("%1\rNothing was printed.");
inline const QString kPartlyPrinted = QStringLiteral("%1\r%2 of the %3 reports were printed.");

} // namespace dvq3
