#include "reports/ReportPages.h"
#include "PdfText.h"
#include "TestFolder.h"
#include "platform/Codepage.h"

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::PdfPages;
using dvq3test::PdfPageText;
using dvq3test::TestFolder;

TEST(ReportPages, SplitAtFormFeedsWithoutATrailingEmptyPage) {
    EXPECT_EQ(SplitReportPages("one\r\n"), QStringList{"one\r\n"});
    EXPECT_EQ(SplitReportPages("one\r\n\f\r\ntwo\r\n"), (QStringList{"one\r\n", "\r\ntwo\r\n"}));
    EXPECT_EQ(SplitReportPages("one\r\n\f\r\n"), QStringList{"one\r\n"});
    EXPECT_EQ(SplitReportPages("a\fb\fc"), (QStringList{"a", "b", "c"}));
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
        // Word for word, whatever the spacing.
        for (int p = 0; p < c.pages; ++p)
            EXPECT_EQ(PdfPageText(pdf, p + 1).simplified(), pages[p].simplified())
                << c.report << " page " << p + 1;
    }
}

TEST(ReportPages, AnOverlongPageStaysOnOneSheet) {
    TestFolder folder;
    const QString report = folder.path("report.prn");
    // A page of 75 lines, then one of 3.
    TestFolder::Write(report, QByteArray("first line here\r\n").repeated(75) +
                                  "\f\r\nsecond line 1\r\nsecond line 2\r\nsecond line 3\r\n");
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
