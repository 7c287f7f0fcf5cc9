#include "reports/ReportPages.h"
#include "TestFolder.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::TestFolder;

namespace {

// A report page of n numbered lines, CR LF line ends, as the report writer writes them.
QByteArray PageOf(const QByteArray& tag, int lines) {
    QByteArray page;
    for (int i = 1; i <= lines; ++i)
        page += tag + " line " + QByteArray::number(i) + "\r\n";
    return page;
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& pdf) {
    const QString info = Run("pdfinfo", {pdf});
    for (const QString& line : info.split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

QString PdfPageText(const QString& pdf, int page) {
    return Run("pdftotext",
               {"-layout", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
}

} // namespace

TEST(ReportPages, SplitAtFormFeedsWithoutATrailingEmptyPage) {
    EXPECT_EQ(SplitReportPages("one\r\n"), QStringList{"one\r\n"});
    EXPECT_EQ(SplitReportPages("one\r\n\f\r\ntwo\r\n"), (QStringList{"one\r\n", "\r\ntwo\r\n"}));
    EXPECT_EQ(SplitReportPages("one\r\n\f\r\n"), QStringList{"one\r\n"});
    EXPECT_EQ(SplitReportPages("a\fb\fc"), (QStringList{"a", "b", "c"}));
}

TEST(ReportPages, PdfHasOnePrintedPagePerReportPage) {
    TestFolder folder;
    const QString report = folder.path("report.prn");
    struct Case {
        QByteArray text;
        QList<QByteArray> pageTags;
    };
    const Case cases[] = {
        {PageOf("first", 40), {"first"}},
        {PageOf("first", 58) + "\f\r\n" + PageOf("second", 30), {"first", "second"}},
    };
    for (const Case& c : cases) {
        TestFolder::Write(report, c.text);
        const QString pdf = folder.path("report.pdf");
        ASSERT_TRUE(PrintReportToPdf(report, pdf));
        ASSERT_EQ(PdfPages(pdf), c.pageTags.size());
        for (int p = 0; p < c.pageTags.size(); ++p) {
            const QString text = PdfPageText(pdf, p + 1);
            const QString tag = QString::fromLatin1(c.pageTags[p]);
            EXPECT_TRUE(text.contains(tag + " line 1\n")) << text.toStdString();
            // Every line of the report page is on its printed page, none on another.
            const int lines = c.text.count(c.pageTags[p] + " line ");
            EXPECT_TRUE(text.contains(tag + QStringLiteral(" line %1").arg(lines)));
            EXPECT_EQ(text.count(" line "), lines);
        }
    }
}

TEST(ReportPages, MissingReportIsAnError) {
    TestFolder folder;
    auto printed = PrintReportToPdf(folder.path("report.prn"), folder.path("x.pdf"));
    ASSERT_FALSE(printed);
    EXPECT_EQ(printed.error().number, 53);
}
