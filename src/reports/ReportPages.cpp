#include "reports/ReportPages.h"

#include "platform/Codepage.h"
#include "platform/DriveFile.h"
#include "reports/ReportMessages.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace dvq3 {
namespace {

constexpr QChar kFormFeed(12);

QStringList LinesOf(const QString& page) {
    QString text = page;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}

bool IsBlank(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

QFont ReportFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(11.5);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace

QStringList SplitReportPages(const QString& text) {
    QStringList pages = text.split(kFormFeed);
    if (pages.size() > 1 && IsBlank(pages.last()))
        pages.removeLast();
    return pages;
}

Status RenderReportPages(const QStringList& pages, QPagedPaintDevice& device) {
    device.setPageSize(QPageSize(QPageSize::Letter));
    device.setPageMargins(QMarginsF(0.5, 0.3, 0.25, 0.2), QPageLayout::Inch);
    QPainter painter;
    if (!painter.begin(&device))
        return Error::PrinterFault(kPrinterNotStarted);
    painter.setFont(ReportFont());
    const QFontMetricsF metrics(painter.font(), &device);
    const double pageHeight = painter.viewport().height();
    for (qsizetype p = 0; p < pages.size(); ++p) {
        if (p > 0 && !device.newPage()) {
            painter.end();
            return Error::PrinterFault(kPrinterNoNewPage);
        }
        const QStringList lines = LinesOf(pages[p]);
        const double step =
            std::min(metrics.height(), pageHeight / std::max<qsizetype>(1, lines.size()));
        double y = metrics.ascent();
        for (const QString& line : lines) {
            painter.drawText(QPointF(0, y), line);
            y += step;
        }
    }
    if (!painter.end())
        return Error::PrinterFault(kPrinterNotFinished);
    return {};
}

Status PrintReportToPdf(const QString& reportPath, const QString& pdfPath) {
    auto bytes = ReadDriveFile(reportPath);
    if (!bytes)
        return bytes.error();
    return WritePagesToPdf(SplitReportPages(DecodeAnsi(bytes.value())), pdfPath);
}

Status WritePagesToPdf(const QStringList& pages, const QString& pdfPath) {
    // Drawn in memory and put in place whole: a full disk never leaves a cut-off PDF behind.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(kPdfTitle);
        pdf.setResolution(300);
        if (auto rendered = RenderReportPages(pages, pdf); !rendered)
            return rendered;
    }
    return ReplaceFile(pdfPath, buffer.data(), kPrivateFile);
}

} // namespace dvq3
