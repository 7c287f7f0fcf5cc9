#include "reports/ReportPages.h"
#include "PdfText.h"
#include "TestFolder.h"
#include "platform/Codepage.h"

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::PdfPages;
using dvq3test::PdfPageText;
using dvq3test::TestFolder;

namespace {

// A report page of n numbered lines, CR LF line ends, as the report writer writes them.
QByteArray PageOf(const QByteArray& tag, int lines) {
    QByteArray page;
    for (int i = 1; i <= lines; ++i)
        page += tag + " line " + QByteArray::number(i) + "\r\n";
    return page;
}

} // namespace

TEST(ReportPages, SplitAtFormFeedsWithoutATrailingEmptyPage) {
    EXPECT_EQ(SplitReportPages("one\r\n"), QStringList{"one\r\n"});
    EXPECT_EQ(SplitReportPages("one\r\n\f\r\ntwo\r\n"), (QStringList{"one\r\n", "\r\ntwo\r\n"}));
    EXPECT_EQ(SplitReportPages("one\r\n\f\r\n"), QStringList{"one\r\n"});
    EXPECT_EQ(SplitReportPages("a\fb\fc"), (QStringList{"a", "b", "c"}));
}

// The words of a text, so a page's PDF text and its report text compare whatever the spacing.
QStringList Words(const QString& text) {
    return text.simplified().split(u' ', Qt::SkipEmptyParts);
}

TEST(ReportPages, PdfHasOnePrintedPagePerReportPage) {
    TestFolder folder;
    struct Case {
        const char* report; // an expected report of the report writer's tests
        int pages;
    };
    for (const Case& c : {Case{"invalid.prn", 1}, Case{"valid.prn", 2}}) {
        const QString report = dvq3test::SourceFolder() + "/tests/reports/expected/" + c.report;
        const QString pdf = folder.path("report.pdf");
        ASSERT_TRUE(PrintReportToPdf(report, pdf)) << c.report;
        ASSERT_EQ(PdfPages(pdf), c.pages) << c.report;
        const QStringList pages = SplitReportPages(DecodeAnsi(TestFolder::Read(report)));
        ASSERT_EQ(pages.size(), c.pages);
        for (int p = 0; p < c.pages; ++p)
            EXPECT_EQ(Words(PdfPageText(pdf, p + 1)), Words(pages[p]))
                << c.report << " page " << p + 1;
    }
}

TEST(ReportPages, AnOverlongPageStaysOnOneSheet) {
    TestFolder folder;
    const QString report = folder.path("report.prn");
    TestFolder::Write(report, PageOf("first", 75) + "\f\r\n" + PageOf("second", 3));
    const QString pdf = folder.path("report.pdf");
    ASSERT_TRUE(PrintReportToPdf(report, pdf));
    ASSERT_EQ(PdfPages(pdf), 2);
    EXPECT_EQ(PdfPageText(pdf, 1).count(" line "), 75);
    EXPECT_TRUE(PdfPageText(pdf, 2).contains("second line 3"));
}

TEST(ReportPages, MissingReportIsAnError) {
    TestFolder folder;
    auto printed = PrintReportToPdf(folder.path("report.prn"), folder.path("x.pdf"));
    ASSERT_FALSE(printed);
    EXPECT_EQ(printed.error().number(), 53);
}
