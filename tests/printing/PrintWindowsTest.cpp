#include "MessageRecorder.h"
#include "OnScreen.h"
#include "PdfText.h"
#include "ScoringFixtures.h"
#include "TestFolder.h"
#include "Widgets.h"
#include "platform/Codepage.h"
#include "platform/DriveFile.h"
#include "reports/ReportMessages.h"
#include "reports/ReportPages.h"
#include "reports/windows/ReportPrinting.h"
#include "reports/windows/frmViewReport.h"
#include "station/Session.h"
#include "supervisor/frmPrintSelected.h"
#include "ui/FileDialogs.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QTest>

#include <gtest/gtest.h>

using namespace dvq3;
using namespace dvq3test;

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
    // The numbered copy of a report that a batch prints from.
    QString copy(int n) const {
        return DecodeAnsi(TestFolder::Read(folder.path(QStringLiteral("temp%1").arg(n))));
    }
};

} // namespace

// Saved as a PDF the report is not printed; a cancelled chooser writes nothing.
TEST_F(PrintWindowsTest, ViewerScoresTheCurrentClientPrintsItAndSavesItAsPdf) {
    session.CurClient = 4;
    frmViewReport viewer(session);
    ShowActive(&viewer);
    ASSERT_TRUE(viewer.Scored()) << messages.texts().join(" | ").toStdString();
    const QString text = DecodeAnsi(TestFolder::Read(folder.path("report.prn")));
    EXPECT_PRED2(Contains, text, "Dwayne T. Okafor-Lind");
    EXPECT_EQ(viewer.Text1->toPlainText(), QString(text).replace("\r\n", "\n"));
    viewer.cmdPrintReport->setFocus();
    QTest::keyClick(viewer.cmdPrintReport, Qt::Key_Down);
    EXPECT_TRUE(viewer.Text1->hasFocus());
    const QString pdf = folder.path("client4.pdf");
    for (const QString& answer : {pdf, QString()}) {
        SetNextFileDialogAnswer(answer);
        viewer.cmdSavePdf->click();
        EXPECT_EQ(TestFolder::Read(pdf).startsWith("%PDF"), !answer.isEmpty());
        QFile::remove(pdf);
    }
    EXPECT_TRUE(jobs.isEmpty());
    viewer.cmdPrintReport->click();
    EXPECT_EQ(jobs, QList<QStringList>{SplitReportPages(text)});
    EXPECT_TRUE(messages.boxes.isEmpty());
}

// The previous report is not shown (that it is left unchanged is tested with the scoring).
TEST_F(PrintWindowsTest, ViewerShowsNothingWhenTheDataFilesAreFaulty) {
    TestFolder::Write(folder.path("report.prn"), "previous report\r\n");
    QFile::remove(folder.path("DVQ3B.TXT"));
    session.CurClient = 1;
    frmViewReport viewer(session);
    ShowActive(&viewer);
    EXPECT_FALSE(viewer.Scored());
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_PRED2(Contains, messages.boxes[0].text, "DVQ3B.TXT");
    EXPECT_EQ(std::pair(messages.boxes[0].title, viewer.Text1->toPlainText()),
              std::pair(kReportErrorTitle, QString()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !viewer.isVisible(); }, 2000));
    EXPECT_TRUE(jobs.isEmpty());
}

// Batches print in order, one job per client, after every report has been scored with the
// tables read once (printing all, skipping a client that cannot be scored, is tested through the
// supervisor's window).
TEST_F(PrintWindowsTest, BatchesScoreEveryClientThenPrintInOrder) {
    for (const bool damaged : {false, true}) { // client 2's record cannot be scored
        SCOPED_TRACE(damaged);
        jobs.clear();
        messages.boxes.clear();
        ASSERT_TRUE(session.LoadClients());
        if (damaged)
            session.disk.Clients(2).Gender = "9";
        int scoringFileOpens = 0;
        SetDriveFaultHook([&](DriveOp op, const QString& path) {
            scoringFileOpens += op == DriveOp::Open && path.endsWith("DVQ3B.TXT") ? 1 : 0;
            return 0;
        });
        frmPrintSelected window(session);
        ShowActive(&window);
        for (int row : {0, 1, 3})
            window.lbNameDisplay->item(row)->setSelected(true);
        window.menu->cmdMenuChoice(0)->setFocus();
        QTest::keyClick(window.menu->cmdMenuChoice(0), Qt::Key_Return);
        SetDriveFaultHook({});
        EXPECT_EQ(std::tuple(scoringFileOpens, session.CurClient, window.isVisible()),
                  std::tuple(1, damaged ? 2 : 4, damaged));
        ASSERT_EQ(messages.boxes.size(), damaged ? 1 : 0);
        for (const MsgBoxCall& box : messages.boxes)
            EXPECT_PRED2(StartsWith, box.title + '|' + box.text,
                         kReportErrorTitle + "|Scoring stopped: the record of client 2 holds sex");
        // Clients 1, 2 and 4, copied as temp1..temp3; nothing when one cannot be scored.
        ASSERT_EQ(jobs.size(), damaged ? 0 : 3);
        for (int i = 0; i < jobs.size(); ++i) {
            const QString name = session.disk.Clients(std::array{1, 2, 4}[i]).Name.trimmed();
            EXPECT_PRED2(Contains, jobs[i].join(""), name);
            EXPECT_PRED2(Contains, copy(i + 1), name);
        }
    }
}

// On an empty disk the focus goes from the list to Close, and Print is disabled. Print with
// nothing ticked prints nothing and closes the window, with a printer and without one.
TEST_F(PrintWindowsTest, PrintSelectedListsClientsAndSelectsAll) {
    for (const bool printer : {true, false}) {
        if (!printer && !QPrinterInfo::defaultPrinter().isNull())
            continue; // a printer is configured on this machine
        SetPrintJobHandler(printer ? [this](const QStringList& pages) { jobs << pages; }
                                   : std::function<void(const QStringList&)>());
        frmPrintSelected window(session);
        ShowActive(&window);
        window.menu->cmdMenuChoice(0)->setFocus();
        QTest::keyClick(window.menu->cmdMenuChoice(0), Qt::Key_Return);
        EXPECT_FALSE(window.isVisible()) << printer;
        EXPECT_FALSE(QFile::exists(folder.path("temp1")) ||
                     QFile::exists(folder.path("report.prn")));
    }
    EXPECT_TRUE(messages.boxes.isEmpty());
    Session empty;
    for (Session* shown : {&session, &empty}) {
        const int clients = shown->disk.NumClients();
        frmPrintSelected window(*shown);
        ShowActive(&window);
        // The list's frame on screen: its colour and its caption's, bold when drawn so.
        auto frame = [&window] {
            return CaptionLooks(window.fraClient, window.lbNameDisplay->y());
        };
        window.lbNameDisplay->setFocus();
        EXPECT_EQ(frame(), clients > 0 ? "cyan/black bold" : "blue/white");
        // The list's lines are the station's client list, tested with the main menu.
        ASSERT_EQ(window.lbNameDisplay->count(), clients);
        EXPECT_EQ((std::vector<bool>{window.menu->cmdMenuChoice(0)->isEnabled(),
                                     window.lbNameDisplay->hasFocus(),
                                     window.menu->cmdMenuChoice(2)->hasFocus()}),
                  (std::vector<bool>{clients > 0, clients > 0, clients == 0}));
        window.cmdMenuChoice_Click(1);
        EXPECT_EQ(window.lbNameDisplay->selectedItems().size(), clients);
        window.menu->cmdMenuChoice(2)->setFocus();
        EXPECT_EQ(frame(), "blue/white");
        QTest::keyClick(window.menu->cmdMenuChoice(2), Qt::Key_Return);
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_TRUE(jobs.isEmpty());
}

TEST_F(PrintWindowsTest, WithoutAPrinterReportsAreSavedAsOnePdfAskedForOnce) {
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a printer is configured on this machine";
    SetPrintJobHandler({});
    TestFolder::Write(folder.path("report.prn"), "line one\r\n\f\r\nline two\r\n");
    const QString single = folder.path("saved.pdf");
    SetNextFileDialogAnswer(single);
    messages.answer(vbYes);
    PrintReport(ReportPdfName(4, "Dwayne T. Okafor/Lind "));
    ASSERT_EQ(messages.texts(), QStringList{kNoPrinterQuestion});
    EXPECT_EQ(LastFileDialogStart(),
              QDir::homePath() + "/DVQ-III report 4 Dwayne T. Okafor-Lind.pdf");
    EXPECT_EQ(PdfPages(single), 2);
    EXPECT_EQ(TestFolder::Mode(single), 0600); // a client's report: its user's alone

    // A batch: one question, one place, one PDF with every report on sheets of its own.
    messages.boxes.clear();
    const QString batch = folder.path("batch.pdf");
    SetNextFileDialogAnswer(batch);
    messages.answer(vbYes);
    ASSERT_TRUE(
        PrintReports(session, {1, 2, 4}, CopyNumber::InBatchOrder, OnScoringFault::StopBatch));
    ASSERT_EQ(messages.texts(), QStringList{kNoPrinterBatchQuestion.arg(3)});
    EXPECT_EQ(LastFileDialogStart(), BatchPdfName(3));
    EXPECT_TRUE(BatchPdfName(3).contains(QDate::currentDate().toString(Qt::ISODate)));
    const int pages = static_cast<int>(
        (SplitReportPages(copy(1)) + SplitReportPages(copy(2)) + SplitReportPages(copy(3))).size());
    EXPECT_EQ(PdfPages(batch), pages);
    EXPECT_PRED2(Contains, PdfPageText(batch, pages - 1) + PdfPageText(batch, pages),
                 "Okafor-Lind");
}

TEST_F(PrintWindowsTest, CancelInTheProgressWindowStopsBeforeTheNextClient) {
    SetPrintJobHandler([this](const QStringList& pages) {
        jobs << pages;
        // The user cancels while the first report is printing.
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(window))
                progress->cancel();
    });
    EXPECT_FALSE(
        PrintReports(session, {1, 2, 4}, CopyNumber::InBatchOrder, OnScoringFault::StopBatch));
    EXPECT_EQ(jobs.size(), 1);
    EXPECT_EQ(messages.texts(), QStringList{kBatchCancelled.arg(1).arg(3)});
}
