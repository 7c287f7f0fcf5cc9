// The scan procedure from the name prompt to the hand-over to the review windows, the debug view
// it shows under "/V FIRST" and "/V ALL", and the blank answer sheet printed from the main menu.
#include "FakeWindows.h"
#include "FilledSheet.h"
#include "RecordsFixture.h"
#include "SaneFolder.h"
#include "ScannerFake.h"
#include "platform/scanner/ScannerSane.h"
#include "sheets/ScanMessages.h"
#include "sheets/windows/AnswerSheetPrinting.h"
#include "sheets/windows/ScanAnswerSheet.h"
#include "shell/frmMainMenu.h"
#include "ui/FileDialogs.h"

#include <QPrinterInfo>

using namespace dvq3;
using namespace sheettest;
using dvq3test::Client;

namespace {

const QStringList kReview{"frmClientInfo", "frmCourtHistory", "frmNewEntry"};

// A station ready to scan: a data disk, its own copy of the question database, a fake scanner
// and stand-ins for the review windows that note what they found and confirm, cancel or save.
struct ScanTest : dvq3test::RecordsFixture {
    std::shared_ptr<ScannerFake> fake = std::make_shared<ScannerFake>();
    ScanStation station{fake, {}, [this] { ++ended; }};
    int ended = 0;
    QByteArray before;           // the client file before the scan
    dvq3test::FakeWindows chain; // the review windows, in order
    QList<QImage> printed;       // blank sheets sent to the printer

    void SetUp() override {
        QFile::copy(dvq3test::BuiltProgramFolder() + "/DVQ3.MDB", folder.path("DVQ3.MDB"));
        ASSERT_TRUE(session.dbTest.open(folder.path("DVQ3.MDB"), true));
        SetAnswerSheetPrintHandler([this](const QImage& page) { printed << page; });
    }
    void TearDown() override {
        SetAnswerSheetPrintHandler({});
        fake->release();
        session.dbTest.close();
    }
    // A disk of these clients, the review stand-ins (each confirms until cancelAt; the grid's
    // saves unless it cancels) and the filled sheet in the scanner. Each stand-in finds a new
    // scanned client after the stored ones, and nothing written yet.
    void ready(const QList<ClientRecord>& clients, const QString& cancelAt = {}) {
        makeDisk(clients);
        before = onDisk();
        fake->givePage(FilledPage());
        session.windowOpener = &chain;
        for (const ChainWindow review : kClientChain)
            chain.windows[review] = [this, name = dvq3test::ChainWindowName(review),
                                     cancelAt](Session& s) {
                EXPECT_EQ(onDisk(), before);
                EXPECT_TRUE(s.FromScan && !s.EditExisting && !s.ContinueFlag);
                EXPECT_EQ(s.CurClient, s.disk.NumClients() + 1);
                s.ContinueFlag = name != cancelAt;
                if (name == "frmNewEntry") { // the doubtful items, for the grid to show
                    EXPECT_EQ(s.DoubtfulItems, (std::vector{5, 10}));
                }
                if (name == "frmNewEntry" && name != cancelAt) {
                    ASSERT_TRUE(s.disk.SaveClient(s.CurClient));
                    s.disk.CommitNewClient();
                }
            };
    }
    // Runs a scan, typing name into the name prompt, which opens empty (an empty name cancels
    // it); then adds the steps for the windows that follow.
    void scan(const QString& name, const std::function<void(dvq3test::ModalScript&)>& then = {}) {
        dvq3test::ModalScript script;
        script.then([name](QWidget* box) {
            auto* input = child<QLineEdit>(box, "txtInput");
            EXPECT_EQ((QStringList{box->windowTitle(), child<QLabel>(box, "lblHelpMsg")->text(),
                                   input->text(), QString::number(input->maxLength()),
                                   box->focusWidget()->objectName()}),
                      (QStringList{"Client Name Input", "Enter the name of client.", "", "25",
                                   "txtInput"}));
            if (name.isEmpty())
                QTest::keyClick(box->findChild<QWidget*>("cmdMenuChoice1"), Qt::Key_Return);
            else
                dvq3test::Answer(box, name);
        });
        if (then)
            then(script);
        ScanAnswerSheet(session, station);
        EXPECT_TRUE(script.done());
    }
    // Message box i as title, text and style.
    QStringList box(int i) const {
        const MsgBoxCall b = messages.boxes.value(i);
        return {b.title, b.text, QString::number(b.style)};
    }
    // Every trace of a scan whose client was not saved is gone.
    void expectNothingStored(int current) {
        EXPECT_EQ(onDisk(), before);
        EXPECT_EQ(session.disk.NumClients(), before.size() / ClientRecord::kLength);
        EXPECT_EQ(session.CurClient, current);
        EXPECT_EQ(session.disk.Clients(session.disk.NumClients() + 1), ClientRecord());
        EXPECT_TRUE(!session.FromScan && session.DoubtfulItems.empty());
    }
};

} // namespace

TEST_F(ScanTest, EveryCancelStoresNothingAndTheGridsSaveAppendsTheScannedClient) {
    const QString insert = "Insert answer sheet for \r\n\r\nPat Doe   (face down)\r\n\r\n"
                           "into scanner.",
                  jammed = TwainErrorMessage(20084).text, silent = TwainErrorMessage(20080).text,
                  warning = ScanSheetWarning({Layout()[kFirstItemField + 4].LocationName},
                                             {Layout()[kFirstItemField + 4].LocationName,
                                              Layout()[kFirstItemField + 9].LocationName})
                                ->text;
    // Where it ends, the name typed, the answer to the insert prompt, the scanner, the review
    // windows shown (the last of them cancelling; 4: all three, and saved), the clients on disk,
    // the messages.
    const std::tuple<const char*, QString, int, ScannerStatus, int, int, QStringList> rows[] = {
        {"name prompt", "", vbOK, ScannerStatus::Good, 0, 2, {}},
        {"insert prompt", "Pat Doe", vbCancel, ScannerStatus::Good, 0, 2, {insert}},
        {"scanner", "Pat Doe", vbOK, ScannerStatus::Jammed, 0, 2, {insert, jammed}},
        {"client information", "Pat Doe", vbOK, ScannerStatus::Good, 1, 2, {insert, warning}},
        {"court history", "Pat Doe", vbOK, ScannerStatus::Good, 2, 2, {insert, warning}},
        {"response grid", "Pat Doe", vbOK, ScannerStatus::Good, 3, 2, {insert, warning}},
        {"empty disk", "Pat Doe", vbOK, ScannerStatus::Good, 2, 0, {insert, warning}},
        {"saved", "Pat Doe", vbOK, ScannerStatus::Good, 4, 2, {insert, warning}},
        {"silent scanner", "Pat Doe", vbOK, ScannerStatus::Timeout, 0, 2, {insert, silent}},
    };
    for (const auto& [where, name, insertAnswer, status, shown, clients, texts] : rows) {
        SCOPED_TRACE(where);
        ready(QList{Client("Ann Lee"), Client("Bo Chan")}.mid(0, clients),
              kReview.value(shown - 1));
        chain.opened.clear();
        messages.boxes.clear();
        if (status == ScannerStatus::Timeout) { // given up after the configured silence
            WriteScannerIni("Timeout=0.2\r\n");
            fake->hang(true);
        } else if (status != ScannerStatus::Good) {
            fake->giveStatus(status);
        }
        if (insertAnswer == vbCancel)
            messages.answer(vbCancel); // every other box takes its first button
        session.CurClient = clients ? 2 : 1;
        session.EditExisting = true;
        scan(name);
        EXPECT_EQ(chain.opened, kReview.mid(0, shown));
        EXPECT_EQ(messages.texts(), texts);
        EXPECT_EQ(fake->cancels(), status == ScannerStatus::Timeout ? 1 : 0);
        if (shown < 4) {
            expectNothingStored(clients ? 1 : 0);
            continue;
        }
        EXPECT_EQ(box(0), (QStringList{"Test Scan", insert, QString::number(vbOKCancel)}));
        EXPECT_EQ(std::tuple(onDisk(), session.disk.NumClients(), session.CurClient),
                  std::tuple(before + FilledClient("Pat Doe").toBytes(), 3, 3));
    }
    messages.boxes.clear();
}

TEST_F(ScanTest, ALayoutTooShortOrUnwritableEndsWithScanError) {
    ready({Client("Ann Lee")});
    // A full table that refuses the positions written back.
    ASSERT_TRUE(session.dbTest.execute("CREATE TRIGGER Locked BEFORE UPDATE ON ScanItem "
                                       "BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    scan("Pat Doe");
    EXPECT_EQ(box(1).value(0), "Scan Error");
    EXPECT_TRUE(
        box(1).value(1).startsWith("The answer sheet layout (table ScanItem) cannot be used:\r"));
    EXPECT_EQ(messages.boxes.size(), 2);

    // A table too short.
    ASSERT_TRUE(session.dbTest.execute("DELETE FROM ScanItem WHERE rowid > 100"));
    messages.boxes.clear();
    scan("Pat Doe");
    const QString tooShort = CheckScanItems(std::vector<ScanItem>(100)).error().text();
    EXPECT_EQ(box(1), (QStringList{"Scan Error", tooShort, QString::number(vbCritical)}));
    EXPECT_EQ(messages.boxes.size(), 2);
    EXPECT_TRUE(chain.opened.isEmpty());
    expectNothingStored(1);
}

TEST_F(ScanTest, EachScannerStatusShowsItsTwainError) {
    ready({Client("Ann Lee")});
    const SaneFolder sane;
    const QString file = sane.sheet(FilledPage());
    const auto scanner = std::make_shared<ScannerSane>();
    station.scanner = scanner;
    // Each row: device, option (status-eof: an empty page), the error shown.
    const QString rows =
        "pnm:0 status-nodocs=yes 20006|pnm:0 status-jammed=yes 20084|pnm:0 status-coveropen=yes "
        "20084|pnm:0 status-ioerror=yes 20000|pnm:0 status-nomem=yes 20081|pnm:0 "
        "status-accessdenied=yes 20014|pnm:0 status-eof=yes 20000|pnm:0 no-such-setting=1 20087|"
        "pnm:9  20082|test:0 read-return-value=SANE_STATUS_CANCELLED 20090|test:0 "
        "read-return-value=SANE_STATUS_DEVICE_BUSY 20083|test:0 "
        "read-return-value=SANE_STATUS_UNSUPPORTED 20085";
    for (const QString& row : rows.split('|')) {
        SCOPED_TRACE(row.toStdString());
        const QStringList cell = row.split(' ');
        WriteScannerIni(
            QString("Device=%1\r\nOptions=%2\r\n")
                .arg(cell[0],
                     (cell[0] == "pnm:0" ? "filename=" + file + ";status=yes;" : "") + cell[1]));
        messages.boxes.clear();
        scan("Pat Doe");
        EXPECT_EQ(box(1),
                  (QStringList{"Twain Error", TwainErrorMessage(cell[2].toInt()).text, "0"}));
        EXPECT_EQ(messages.boxes.size(), 2);
        // The file device fails the start after a forced status once: a plain scan takes that.
        (void)AcquirePage(scanner, ScanRequest{"pnm:0", {"status=yes"}}, std::chrono::seconds(30));
    }
    EXPECT_TRUE(chain.opened.isEmpty());
    expectNothingStored(1);
}

TEST_F(ScanTest, DebugSwitchReadsDebugBmpAndReportsItMissing) {
    ready({});
    station.switches.ScanDebug = true;
    fake->giveStatus(ScannerStatus::NoDevice); // the scanner is not asked
    scan("Pat Doe");
    EXPECT_EQ(messages.texts().mid(1), QStringList{TwainErrorMessage(kLeadFileNotFound).text});

    ASSERT_TRUE(FilledPage().save(ProgramFile("Debug.bmp"), "BMP"));
    scan("Pat Doe");
    EXPECT_EQ(std::pair(chain.opened, onDisk()),
              std::pair(kReview, FilledClient("Pat Doe").toBytes()));
    EXPECT_EQ(dvq3test::TestFolder::Read(StationFile("Raw.bmp")),
              dvq3test::TestFolder::Read(ProgramFile("Debug.bmp")));
    EXPECT_TRUE(fake->requests().empty());
}

TEST_F(ScanTest, VerboseSwitchesShowEachBoxTestedUntilStopEndsTheProgram) {
    // "/V FIRST": the first bubble of each field; "/V ALL": every bubble, here the six of the
    // tens of the age, of which the sheet marks bubble 4.
    const PolarPoint anchor = Decode(FilledPage()).value().AnchorBox;
    for (const bool all : {false, true}) {
        SCOPED_TRACE(all ? "/V ALL" : "/V FIRST");
        ready({Client("Ann Lee")});
        messages.boxes.clear();
        ended = 0;
        station.switches.VerboseFirst = !all;
        station.switches.VerboseAll = all;
        const int views = all ? 6 : 3;
        int seen = 0;
        scan("Pat Doe", [&](dvq3test::ModalScript& script) {
            for (int i = 0; i < views; ++i) // checked, then "Next Box" or at the last "Stop"
                script.then([&, i](QWidget* view) {
                    QTest::qWait(10);
                    const int field = all ? 0 : i, bubble = all ? i : 0;
                    const QPoint at =
                        QPoint(anchor.x, anchor.y) + LayoutBubbles(Layout()[field], field)[bubble];
                    QStringList shown{view->windowTitle(), view->focusWidget()->objectName()};
                    for (const char* name : {"cmdDone", "Command1", "txtX", "txtY", "lblTested"})
                        shown << child<QWidget>(view, name)->property("text").toString();
                    EXPECT_EQ(shown.mid(0, 6),
                              (QStringList{"Debug Image", "cmdDone", "Next Box", "Stop",
                                           QString::number(at.x()), QString::number(at.y())}));
                    const int dark = shown[6].section(": ", 1).section(' ', 0, 0).toInt();
                    EXPECT_EQ(shown[6], Layout()[field].LocationName.trimmed() + ": " +
                                            QString::number(dark) + " dark pixels");
                    EXPECT_TRUE(field == 0 && bubble == 4 ? dark > 50 : dark < 10) << i << dark;
                    ++seen;
                    QTest::keyClick(
                        view->findChild<QWidget*>(i + 1 < views ? "cmdDone" : "Command1"),
                        Qt::Key_Return);
                });
        });
        // The program ends: no window after the view.
        EXPECT_EQ(std::tuple(seen, ended, chain.opened), std::tuple(views, 1, QStringList()));
        EXPECT_EQ(messages.texts(), QStringList{InsertSheetText("Pat Doe")});
        expectNothingStored(1);
    }
}

TEST_F(ScanTest, OptionsMenuPrintsABlankSheetTheReaderReads) {
    frmMainMenu mainMenu(session);
    AddAnswerSheetMenuEntry(mainMenu, session.dbTest);
    auto* entry = child<QAction>(&mainMenu, "mnuOptionsAnswerSheet");
    ASSERT_TRUE(child<QMenu>(&mainMenu, "mnuOptions")->actions().contains(entry));
    EXPECT_EQ(entry->text(), "Print Blank &Answer Sheet");
    entry->trigger();
    ASSERT_EQ(printed.size(), 1);
    EXPECT_EQ(printed[0].size(), QSize(850, 1100));
    const auto sheet = Decode(printed[0]);
    ASSERT_TRUE(sheet) << sheet.error().text().toStdString();
    EXPECT_EQ(sheet.value().client.Responses + sheet.value().client.Age, QString(102, u'0'));
    EXPECT_TRUE(messages.boxes.isEmpty());

    // A layout the reader cannot use is not printed either.
    ASSERT_TRUE(session.dbTest.execute("DELETE FROM ScanItem WHERE rowid > 100"));
    entry->trigger();
    EXPECT_EQ(std::tuple(printed.size(), messages.boxes.size()), std::tuple(1, 1));
    EXPECT_EQ(box(0), (QStringList{"Print Answer Sheet",
                                   CheckScanItems(std::vector<ScanItem>(100)).error().text(),
                                   QString::number(vbCritical)}));
}

TEST_F(ScanTest, WithoutAPrinterTheBlankSheetIsOfferedAsAPdfTheReaderReads) {
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a printer is set up on this machine";
    SetAnswerSheetPrintHandler({});
    const QString pdf = folder.path("sheet.pdf");
    // The answer to the offer, the file chosen, whether it is written.
    const std::tuple<int, QString, bool> rows[] = {
        {vbNo, pdf, false}, {vbYes, "", false}, {vbYes, pdf, true}};
    for (const auto& [answer, chosen, written] : rows) {
        messages.boxes.clear();
        messages.answer(answer);
        SetNextFileDialogAnswer(chosen);
        PrintBlankAnswerSheet(session.dbTest, nullptr);
        EXPECT_EQ(messages.boxes.size(), 1);
        EXPECT_EQ(box(0), (QStringList{kPrintAnswerSheetTitle, kAnswerSheetNoPrinterText,
                                       QString::number(vbYesNo | vbQuestion)}));
        EXPECT_EQ(QFile::exists(pdf), written) << answer;
    }
    SetNextFileDialogAnswer({});
    // The PDF printed at 100 dpi and filled in reads back as marked.
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    ASSERT_FALSE(pdftoppm.isEmpty()) << "pdftoppm (poppler-utils, scripts/setup.sh) is missing";
    ASSERT_EQ(QProcess::execute(pdftoppm,
                                {"-r", "100", "-png", "-singlefile", pdf, folder.path("sheet")}),
              0);
    QImage page(folder.path("sheet.png"));
    ASSERT_EQ(page.size(), QSize(850, 1100));
    // The sheet names what the reader sees: pencil, blue and black ink, not red.
    QProcess text;
    text.start(QStandardPaths::findExecutable("pdftotext"), {"-raw", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished());
    EXPECT_TRUE(QString(text.readAll()).contains(kSheetMarkingText))
        << kSheetMarkingText.toStdString();
    const Filled filled = RandomSheet(7, true);
    Fill(page, filled.marks);
    const auto sheet = Decode(page);
    ASSERT_TRUE(sheet) << sheet.error().text().toStdString();
    EXPECT_EQ(FirstWrongField(sheet.value(), filled), -1);
}
