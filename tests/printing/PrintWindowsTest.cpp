#include "MessageRecorder.h"
#include "TestFolder.h"
#include "platform/Codepage.h"
#include "platform/DriveFile.h"
#include "platform/FileDialogs.h"
#include "records/Session.h"
#include "reports/ReportMessages.h"
#include "reports/ReportPages.h"
#include "reports/ReportPrinting.h"
#include "reports/frmPrintSelected.h"
#include "reports/frmViewReport.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QTest>

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::TestFolder;

namespace {

// A program folder with the shipped scoring and report files and the sample disk loaded.
struct PrintWindowsTest : ::testing::Test {
    TestFolder folder;
    dvq3test::MessageRecorder messages;
    Session session;
    QList<QStringList> jobs; // the pages of each printer job

    void SetUp() override {
        const QDir built(dvq3test::BuiltProgramFolder());
        for (const QString& name : built.entryList({"*.TXT"}, QDir::Files))
            ASSERT_TRUE(QFile::copy(built.filePath(name), folder.path(name)));
        QDir().mkpath(folder.path("disk"));
        for (const QString name : {"DATA401.DVQ", "TID"})
            ASSERT_TRUE(
                QFile::copy(built.filePath("SampleDisk/" + name), folder.path("disk/" + name)));
        session.disk.SetDataDrive(folder.path("disk"));
        ASSERT_TRUE(session.LoadClients());
        SetPrintJobHandler([this](const QStringList& pages) { jobs << pages; });
    }
    void TearDown() override { SetPrintJobHandler({}); }
    QString report() const { return DecodeAnsi(TestFolder::Read(folder.path("report.prn"))); }
};

void ShowAndActivate(QWidget* window) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

} // namespace

TEST_F(PrintWindowsTest, ViewerScoresTheCurrentClientAndPrintsIt) {
    session.CurClient = 4;
    frmViewReport viewer(session);
    ShowAndActivate(&viewer);
    ASSERT_TRUE(viewer.Scored()) << messages.texts().join(" | ").toStdString();
    EXPECT_TRUE(messages.boxes.isEmpty());
    const QString text = report();
    EXPECT_TRUE(text.contains("Dwayne T. Okafor-Lind"));
    QString shown = text;
    shown.replace("\r\n", "\n");
    EXPECT_EQ(viewer.Text1->toPlainText(), shown);

    viewer.cmdPrintReport->setFocus();
    QTest::keyClick(viewer.cmdPrintReport, Qt::Key_Down);
    EXPECT_TRUE(viewer.Text1->hasFocus());

    viewer.cmdPrintReport->click();
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(jobs[0], SplitReportPages(text));
}

TEST_F(PrintWindowsTest, ViewerSavesTheReportAsPdf) {
    session.CurClient = 1;
    frmViewReport viewer(session);
    ShowAndActivate(&viewer);
    ASSERT_TRUE(viewer.Scored());
    const QString pdf = folder.path("client1.pdf");
    SetNextFileDialogAnswer(pdf);
    viewer.cmdSavePdf->click();
    EXPECT_TRUE(messages.boxes.isEmpty());
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(TestFolder::Read(pdf).startsWith("%PDF"));
    EXPECT_TRUE(jobs.isEmpty()); // saving is not printing

    SetNextFileDialogAnswer(QString()); // a cancelled chooser writes nothing
    QFile::remove(pdf);
    viewer.cmdSavePdf->click();
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintWindowsTest, ViewerShowsNothingWhenTheDataFilesAreFaulty) {
    TestFolder::Write(folder.path("report.prn"), "previous report\r\n");
    QFile::remove(folder.path("DVQ3B.TXT"));
    session.CurClient = 1;
    frmViewReport viewer(session);
    ShowAndActivate(&viewer);
    EXPECT_FALSE(viewer.Scored());
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_TRUE(messages.boxes[0].text.contains("DVQ3B.TXT"))
        << messages.boxes[0].text.toStdString();
    EXPECT_EQ(messages.boxes[0].title, kReportErrorTitle);
    EXPECT_TRUE(viewer.Text1->toPlainText().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !viewer.isVisible(); }, 2000));
    EXPECT_EQ(TestFolder::Read(folder.path("report.prn")), QByteArray("previous report\r\n"));
    EXPECT_TRUE(jobs.isEmpty());
}

TEST_F(PrintWindowsTest, PrintSelectedScoresAllThenPrintsInListOrder) {
    auto printSelected = [&](QList<int> rows) {
        frmPrintSelected window(session);
        ShowAndActivate(&window);
        for (int row : rows)
            window.lbNameDisplay->item(row)->setSelected(true);
        window.menu->cmdMenuChoice(0)->setFocus();
        QTest::keyClick(window.menu->cmdMenuChoice(0), Qt::Key_Return);
        EXPECT_FALSE(window.isVisible());
    };
    printSelected({0, 1, 3});
    ASSERT_EQ(jobs.size(), 3);
    EXPECT_TRUE(jobs[0].join("").contains("Harlan Petrosky"));
    EXPECT_TRUE(jobs[2].join("").contains("Dwayne T. Okafor-Lind"));
    for (int copy = 1; copy <= 3; ++copy)
        EXPECT_TRUE(QFile::exists(folder.path(QStringLiteral("temp%1").arg(copy))));
    EXPECT_EQ(session.CurClient, 4);
    const QByteArray third = TestFolder::Read(folder.path("temp3"));

    jobs.clear();
    printSelected({1, 3});
    ASSERT_EQ(jobs.size(), 2);
    EXPECT_TRUE(jobs[1].join("").contains("Dwayne T. Okafor-Lind"));
    EXPECT_TRUE(
        DecodeAnsi(TestFolder::Read(folder.path("temp2"))).contains("Dwayne T. Okafor-Lind"));
    EXPECT_EQ(TestFolder::Read(folder.path("temp3")), third); // left from the earlier run
    EXPECT_TRUE(messages.boxes.isEmpty());
}

TEST_F(PrintWindowsTest, PrintSelectedStopsBeforePrintingWhenAClientCannotBeScored) {
    session.disk.Clients(2).Gender = "9";
    frmPrintSelected window(session);
    ShowAndActivate(&window);
    for (int row : {0, 1, 3})
        window.lbNameDisplay->item(row)->setSelected(true);
    window.cmdMenuChoice_Click(0);
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_EQ(messages.boxes[0].title, kReportErrorTitle);
    EXPECT_TRUE(messages.boxes[0].text.contains("the record of client 2 holds sex code"));
    EXPECT_TRUE(jobs.isEmpty());
    EXPECT_TRUE(window.isVisible());
}

// Printing all reports reads the scoring tables once and skips a client that cannot be scored.
TEST_F(PrintWindowsTest, PrintAllSkipsAClientThatCannotBeScored) {
    int scoringFileOpens = 0;
    SetDriveFaultHook([&](DriveOp op, const QString& path) {
        scoringFileOpens += op == DriveOp::Open && path.endsWith("DVQ3B.TXT") ? 1 : 0;
        return 0;
    });
    session.disk.Clients(2).Gender = "9";
    session.CurClient = 3;
    PrintAllReports(session);
    EXPECT_EQ(scoringFileOpens, 1);
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_EQ(messages.boxes[0].title, kReportErrorTitle);
    EXPECT_TRUE(messages.boxes[0].text.startsWith(
        kClientNotPrinted.arg(2).arg(session.disk.Clients(2).Name.trimmed(), "Scoring stopped: ")))
        << messages.boxes[0].text.toStdString();
    ASSERT_EQ(jobs.size(), 3);
    EXPECT_TRUE(jobs[0].join("").contains("Harlan Petrosky"));
    EXPECT_TRUE(jobs[2].join("").contains("Dwayne T. Okafor-Lind"));
    for (int client : {1, 3, 4})
        EXPECT_TRUE(QFile::exists(folder.path(QStringLiteral("temp%1").arg(client))));
    EXPECT_FALSE(QFile::exists(folder.path("temp2")));
    EXPECT_EQ(session.CurClient, 1);
}

TEST_F(PrintWindowsTest, PrintSelectedListsClientsAndSelectsAll) {
    frmPrintSelected window(session);
    ShowAndActivate(&window);
    ASSERT_EQ(window.lbNameDisplay->count(), 4);
    EXPECT_EQ(window.lbNameDisplay->item(0)->text(),
              "1-" + QStringLiteral("Harlan Petrosky").leftJustified(25));
    window.lbNameDisplay->setFocus();
    EXPECT_EQ(window.msgPanel->caption(),
              QStringLiteral("Use up or down arrow keys or mouse to select client."));
    EXPECT_TRUE(window.menu->cmdMenuChoice(0)->isEnabled());
    window.cmdMenuChoice_Click(1);
    EXPECT_EQ(window.lbNameDisplay->selectedItems().size(), 4);
    window.menu->cmdMenuChoice(2)->setFocus();
    EXPECT_EQ(window.msgPanel->caption(), QStringLiteral("Cancel selections and printing."));
    QTest::keyClick(window.menu->cmdMenuChoice(2), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(jobs.isEmpty());
}

TEST_F(PrintWindowsTest, EmptyDiskHandsTheFocusToADisabledPrintButton) {
    Session empty;
    frmPrintSelected window(empty);
    ShowAndActivate(&window);
    window.lbNameDisplay->setFocus();
    EXPECT_TRUE(window.lbNameDisplay->count() == 0);
    EXPECT_FALSE(window.menu->cmdMenuChoice(0)->isEnabled());
    EXPECT_FALSE(window.lbNameDisplay->hasFocus());
    EXPECT_TRUE(window.menu->cmdMenuChoice(2)->hasFocus());
}

TEST_F(PrintWindowsTest, WithoutAPrinterTheReportCanBeSavedAsPdf) {
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a printer is configured on this machine";
    SetPrintJobHandler({});
    TestFolder::Write(folder.path("report.prn"), "line one\r\n\f\r\nline two\r\n");
    const QString pdf = folder.path("saved.pdf");
    SetNextFileDialogAnswer(pdf);
    messages.answer(vbYes);
    PrintReport();
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_EQ(messages.boxes[0].text, kNoPrinterQuestion);
    EXPECT_TRUE(QFile::exists(pdf));
}
