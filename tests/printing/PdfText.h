#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace dvq3test {

// What poppler's tools read from a PDF the station wrote: its page count and a page's text.
inline QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// pdftotext ends every page with a form feed.
inline int PdfPages(const QString& pdf) {
    return static_cast<int>(RunTool("pdftotext", {pdf, "-"}).count(u'\f'));
}

inline QString PdfPageText(const QString& pdf, int page) {
    return RunTool("pdftotext",
                   {"-layout", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
}

} // namespace dvq3test
