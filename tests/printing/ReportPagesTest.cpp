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

// A two-page report of the report writer's tests; a one-page report adds nothing the page split
// and this one do not check.
TEST(ReportPages, PdfHasOnePrintedPagePerReportPage) {
    TestFolder folder;
    const QString report = dvq3test::SourceFolder() + "/tests/reports/expected/valid.prn";
    const QString pdf = folder.path("report.pdf");
    ASSERT_TRUE(PrintReportToPdf(report, pdf));
    ASSERT_EQ(PdfPages(pdf), 2);
    const QStringList pages = SplitReportPages(DecodeAnsi(TestFolder::Read(report)));
    ASSERT_EQ(pages.size(), 2);
    // Word for word, whatever the spacing.
    for (int p = 0; p < 2; ++p)
        EXPECT_EQ(PdfPageText(pdf, p + 1).simplified(), pages[p].simplified()) << p + 1;
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
