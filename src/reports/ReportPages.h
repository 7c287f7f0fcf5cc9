#pragma once

#include "platform/Error.h"

#include <QString>
#include <QStringList>

class QPagedPaintDevice;

namespace dvq3 {

// The printed pages of a report text: the text up to each form feed is one page; the rest after
// the last form feed is the last page, unless it holds nothing but line ends and blanks (so a
// report never prints an empty trailing page).
QStringList SplitReportPages(const QString& text);

// Prints pages on device in "Courier New" 11.5 pt (a metric-compatible fixed-pitch font where it
// is missing), one report page on one printed page; a page with more lines than the paper holds
// is set closer rather than run onto another page.
Status RenderReportPages(const QStringList& pages, QPagedPaintDevice& device);

// Writes the report file as a PDF printed exactly as the printer prints it (Letter paper).
Status PrintReportToPdf(const QString& reportPath, const QString& pdfPath);
// Writes pages, one sheet each, as one PDF put in place whole.
Status WritePagesToPdf(const QStringList& pages, const QString& pdfPath);

} // namespace dvq3
