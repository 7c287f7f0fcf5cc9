#pragma once

#include <QString>

namespace dvq3 {

// The texts and titles the report windows and printing show, for their code and their tests.

inline const QString kReportErrorTitle = QStringLiteral("Report Error");
inline const QString kPrintTitle = QStringLiteral("Print Report");
inline const QString kNoPrinterQuestion =
    QStringLiteral("No printer is set up on this station.\rWould you like to save the report as "
                   "a PDF file instead?");
inline const QString kSavePdfTitle = QStringLiteral("Save Report as PDF");
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

} // namespace dvq3
