#pragma once

#include <QStringList>

#include <functional>

class QPlainTextEdit;
class QWidget;

namespace dvq3 {

// Puts the text of the report file into the viewer's text box.
void LoadReportText(QPlainTextEdit* control);

// Prints the report file on the default printer, one printer job, one printed page per report
// page, with the wait pointer meanwhile. Without a printer the station says so and offers to
// save the report as a PDF instead.
void PrintReport();

// Offers to save the report file as a PDF; returns false when nothing was saved.
bool SaveReportAsPdf(QWidget* parent);

// Test seam: receives each printer job's pages instead of a printer.
void SetPrintJobHandler(std::function<void(const QStringList& pages)> handler);

} // namespace dvq3
