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

// A two-page and a one-page report of the report writer's tests.
TEST(ReportPages, PdfHasOnePrintedPagePerReportPage) {
    TestFolder folder;
    for (const auto& [name, count] : {std::pair{"valid", 2}, {"invalid", 1}}) {
        const QString report =
            dvq3test::SourceFolder() + "/tests/reports/expected/" + name + ".prn";
        const QString pdf = folder.path(QString(name) + ".pdf");
        ASSERT_TRUE(PrintReportToPdf(report, pdf));
        ASSERT_EQ(PdfPages(pdf), count) << name;
        const QStringList pages = SplitReportPages(DecodeAnsi(TestFolder::Read(report)));
        ASSERT_EQ(pages.size(), count);
        // Word for word, whatever the spacing.
        for (int p = 0; p < count; ++p)
            EXPECT_EQ(PdfPageText(pdf, p + 1).simplified(), pages[p].simplified()) << p + 1;
    }
}
