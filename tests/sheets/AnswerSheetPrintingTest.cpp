// The blank answer sheet from the main menu's Options: printed, or saved as a PDF.
#include "sheets/AnswerSheetPrinting.h"
#include "ScanFixture.h"
#include "platform/FileDialogs.h"
#include "sheets/ImagingControl.h"
#include "sheets/ScanMessages.h"
#include "shell/frmMainMenu.h"

#include <QAction>
#include <QMenu>
#include <QPrinterInfo>

using namespace dvq3;
using namespace sheettest;

namespace {

struct AnswerSheetPrintingTest : ScanFixture {
    QList<QImage> printed;
    void SetUp() override {
        ScanFixture::SetUp();
        SetAnswerSheetPrintHandler([this](const QImage& page) { printed << page; });
    }
    void TearDown() override {
        SetAnswerSheetPrintHandler({});
        ScanFixture::TearDown();
    }
};

} // namespace

TEST_F(AnswerSheetPrintingTest, OptionsMenuPrintsABlankSheetTheReaderReads) {
    frmMainMenu mainMenu(session);
    AddAnswerSheetMenuEntry(mainMenu, session.dbTest);
    auto* options = child<QMenu>(&mainMenu, "mnuOptions");
    auto* entry = child<QAction>(&mainMenu, "mnuOptionsAnswerSheet");
    ASSERT_TRUE(options && entry);
    EXPECT_TRUE(options->actions().contains(entry));
    EXPECT_EQ(entry->text(), kAnswerSheetMenuCaption);
    entry->trigger();
    ASSERT_EQ(printed.size(), 1);
    EXPECT_EQ(printed[0].size(), QSize(850, 1100));
    const auto sheet = Decode(printed[0]);
    ASSERT_TRUE(sheet) << sheet.error().text().toStdString();
    EXPECT_EQ(sheet.value().client.Responses, QString(100, u'0'));
    EXPECT_EQ(sheet.value().client.Age, "00");
    EXPECT_TRUE(messages.boxes.isEmpty());

    // A layout the reader cannot use is not printed either.
    ASSERT_TRUE(session.dbTest.execute("DELETE FROM ScanItem WHERE rowid > 100"));
    entry->trigger();
    EXPECT_EQ(printed.size(), 1);
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_EQ(messages.boxes[0].title, kPrintAnswerSheetTitle);
    EXPECT_EQ(messages.boxes[0].text, CheckScanItems(std::vector<ScanItem>(100)).error().text());
}

TEST_F(AnswerSheetPrintingTest, WithoutAPrinterTheSheetIsOfferedAsPdf) {
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a printer is set up on this machine";
    SetAnswerSheetPrintHandler({});
    const QString pdf = folder.path("sheet.pdf");
    struct Row {
        int answer;
        QString chosen;
        bool written;
    };
    for (const Row& row : {Row{vbNo, pdf, false}, Row{vbYes, "", false}, Row{vbYes, pdf, true}}) {
        messages.boxes.clear();
        messages.answer(row.answer);
        SetNextFileDialogAnswer(row.chosen);
        PrintBlankAnswerSheet(session.dbTest, nullptr);
        ASSERT_EQ(messages.boxes.size(), 1);
        EXPECT_EQ(messages.boxes[0].text, kAnswerSheetNoPrinterText);
        EXPECT_EQ(messages.boxes[0].title, kPrintAnswerSheetTitle);
        EXPECT_EQ(messages.boxes[0].style, vbYesNo | vbQuestion);
        EXPECT_EQ(QFile::exists(pdf), row.written) << row.answer;
    }
    EXPECT_TRUE(dvq3test::TestFolder::Read(pdf).startsWith("%PDF"));
    SetNextFileDialogAnswer({});
}
