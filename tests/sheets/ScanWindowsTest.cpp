// The scan procedure from the name prompt to the hand-over to the review windows, the debug view
// it shows under "/V FIRST" and "/V ALL", and the blank answer sheet printed from the main menu.
#include "../records/RecordsFixture.h"
#include "FilledSheet.h"
#include "SaneFolder.h"
#include "platform/FileDialogs.h"
#include "platform/ScannerFake.h"
#include "platform/ScannerSane.h"
#include "sheets/AnswerSheetPrinting.h"
#include "sheets/ImagingControl.h"
#include "sheets/ScanAnswerSheet.h"
#include "sheets/ScanMessages.h"
#include "sheets/frmDebugView.h"
#include "shell/frmMainMenu.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
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
    QByteArray before;               // the client file before the scan
    QStringList opened;              // the review windows, in order
    QList<QByteArray> diskWhenShown; // the client file as each of them found it
    QList<QStringList> seen;         // each debug view: caption, x, y, tested box
    QList<QImage> printed;           // blank sheets sent to the printer

    void SetUp() override {
        QFile::copy(dvq3test::BuiltProgramFolder() + "/DVQ3.MDB", folder.path("DVQ3.MDB"));
        ASSERT_TRUE(session.dbTest.open(folder.path("DVQ3.MDB"), true));
        SetAnswerSheetPrintHandler([this](const QImage& page) { printed << page; });
    }
    void TearDown() override {
        SetAnswerSheetPrintHandler({});
        fake->Release();
        session.dbTest.close();
    }
    // A disk of these clients, the review stand-ins (each confirms until cancelAt; the grid's
    // saves unless it cancels) and the filled sheet in the scanner.
    void ready(const QList<ClientRecord>& clients, const QString& cancelAt = {}) {
        makeDisk(clients);
        before = onDisk();
        fake->givePage(FilledPage());
        for (const QString& name : kReview)
            session.ChainWindows[name] = [this, name, cancelAt](Session& s) {
                opened << name;
                diskWhenShown << onDisk();
                s.ContinueFlag = name != cancelAt;
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
            auto* input = box->findChild<QLineEdit*>("txtInput");
            EXPECT_EQ(box->windowTitle(), "Client Name Input");
            EXPECT_EQ(box->findChild<QLabel*>("lblHelpMsg")->text(), "Enter the name of client.");
            EXPECT_TRUE(input->text().isEmpty());
            EXPECT_EQ(input->maxLength(), 25);
            EXPECT_EQ(box->focusWidget(), input);
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
        EXPECT_FALSE(session.FromScan);
    }
    // What a debug view shows: its caption, then its captions and fields by control name.
    static QStringList Shown(QWidget* view, std::initializer_list<const char*> names) {
        QStringList shown{view->windowTitle()};
        for (const char* name : names)
            shown << child<QWidget>(view, name)->property("text").toString();
        return shown;
    }
};

} // namespace

TEST_F(ScanTest, EveryCancelStoresNothing) {
    const QString insert = InsertSheetText("Pat Doe"), jammed = TwainErrorMessage(20084).text,
                  silent = TwainErrorMessage(20080).text,
                  warning =
                      MultipleMarksWarning({Layout()[kFirstItemField + 4].LocationName})->text;
    // Where it is cancelled, the name typed, the answer to the insert prompt, the scanner, the
    // review windows shown (the last of them cancelling), the clients on disk, the messages.
    const std::tuple<const char*, QString, int, ScannerStatus, int, int, QStringList> rows[] = {
        {"name prompt", "", vbOK, ScannerStatus::Good, 0, 2, {}},
        {"insert prompt", "Pat Doe", vbCancel, ScannerStatus::Good, 0, 2, {insert}},
        {"scanner", "Pat Doe", vbOK, ScannerStatus::Jammed, 0, 2, {insert, jammed}},
        {"client information", "Pat Doe", vbOK, ScannerStatus::Good, 1, 2, {insert, warning}},
        {"court history", "Pat Doe", vbOK, ScannerStatus::Good, 2, 2, {insert, warning}},
        {"response grid", "Pat Doe", vbOK, ScannerStatus::Good, 3, 2, {insert, warning}},
        {"empty disk", "Pat Doe", vbOK, ScannerStatus::Good, 2, 0, {insert, warning}},
        {"silent scanner", "Pat Doe", vbOK, ScannerStatus::Timeout, 0, 2, {insert, silent}},
    };
    for (const auto& [where, name, insertAnswer, status, shown, clients, texts] : rows) {
        SCOPED_TRACE(where);
        ready(QList{Client("Ann Lee"), Client("Bo Chan")}.mid(0, clients),
              shown ? kReview[shown - 1] : QString());
        opened.clear();
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
        scan(name);
        EXPECT_EQ(opened, kReview.mid(0, shown));
        EXPECT_EQ(messages.texts(), texts);
        EXPECT_EQ(fake->cancels(), status == ScannerStatus::Timeout ? 1 : 0);
        expectNothingStored(clients ? 1 : 0);
    }
    messages.boxes.clear();
}

TEST_F(ScanTest, TheScannedClientComesAfterTheStoredOnesAndOnlyTheGridStoresIt) {
    ready({Client("Ann Lee"), Client("Bo Chan")});
    QList<bool> flags; // as client information finds them: a new scanned client
    session.EditExisting = true;
    session.ChainWindows["frmClientInfo"] =
        [&flags, info = session.ChainWindows["frmClientInfo"]](Session& s) {
            flags << s.FromScan << s.EditExisting << s.ContinueFlag << (s.CurClient == 3);
            info(s);
        };
    scan("Pat Doe");
    EXPECT_EQ(flags, (QList<bool>{true, false, false, true}));
    EXPECT_EQ(box(0), (QStringList{"Test Scan",
                                   "Insert answer sheet for \r\n\r\nPat Doe   (face down)\r\n\r\n"
                                   "into scanner.",
                                   QString::number(vbOKCancel)}));
    const auto warning = MultipleMarksWarning({Layout()[kFirstItemField + 4].LocationName});
    EXPECT_EQ(box(1), (QStringList{warning->title, warning->text, "0"}));
    EXPECT_EQ(messages.boxes.size(), 2);
    EXPECT_EQ(opened, kReview);
    // Nothing is written before the grid's Save; what it saves is the record as scanned.
    EXPECT_EQ(diskWhenShown, QList<QByteArray>(3, before));
    EXPECT_EQ(onDisk(), before + FilledClient("Pat Doe").toBytes());
    EXPECT_EQ(session.disk.NumClients(), 3);
    EXPECT_EQ(session.CurClient, 3);
    EXPECT_FALSE(session.FromScan);
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
    EXPECT_TRUE(opened.isEmpty());
    expectNothingStored(1);
}

TEST_F(ScanTest, EachScannerStatusShowsItsTwainError) {
    ready({Client("Ann Lee")});
    const SaneFolder sane;
    const QString file = sane.sheet(FilledPage());
    const auto scanner = std::make_shared<ScannerSane>();
    station.scanner = scanner;
    // Each row: device, option (status-eof: an empty page), the error shown.
    const QStringList rows = {"pnm:0 status-nodocs=yes 20006",
                              "pnm:0 status-jammed=yes 20084",
                              "pnm:0 status-coveropen=yes 20084",
                              "pnm:0 status-ioerror=yes 20000",
                              "pnm:0 status-nomem=yes 20081",
                              "pnm:0 status-accessdenied=yes 20014",
                              "pnm:0 status-eof=yes 20000",
                              "pnm:0 no-such-setting=1 20087",
                              "pnm:9  20082",
                              "test:0 read-return-value=SANE_STATUS_CANCELLED 20090",
                              "test:0 read-return-value=SANE_STATUS_DEVICE_BUSY 20083",
                              "test:0 read-return-value=SANE_STATUS_UNSUPPORTED 20085"};
    for (const QString& row : rows) {
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
    EXPECT_TRUE(opened.isEmpty());
    expectNothingStored(1);
}

TEST_F(ScanTest, DebugSwitchReadsDebugBmpAndReportsItMissing) {
    ready({});
    station.switches.ScanDebug = true;
    fake->giveStatus(ScannerStatus::NoDevice); // the scanner is not asked
    scan("Pat Doe");
    EXPECT_EQ(messages.texts().mid(1), QStringList{TwainErrorMessage(kLeadFileNotFound).text});

    ImagingControl debug;
    debug.setImage(FilledPage());
    ASSERT_TRUE(debug.Save(ProgramFile("Debug.bmp")));
    scan("Pat Doe");
    EXPECT_EQ(opened, kReview);
    EXPECT_EQ(onDisk(), FilledClient("Pat Doe").toBytes());
    EXPECT_EQ(dvq3test::TestFolder::Read(StationFile("Raw.bmp")),
              dvq3test::TestFolder::Read(ProgramFile("Debug.bmp")));
    EXPECT_TRUE(fake->requests().empty());
}

TEST_F(ScanTest, DebugViewShowsThePositionMarksItAndFollowsTypedCoordinates) {
    ImagingControl raw;
    QImage white(850, 1100, QImage::Format_RGB32);
    white.fill(Qt::white);
    raw.setImage(white);
    ASSERT_TRUE(raw.Save(StationFile("Raw.bmp")));
    frmDebugView view(station.EndProgram);
    view.setXVal(100);
    view.setYVal(200);
    view.setTestedBox("Item 7", 12);
    QApplication::setOverrideCursor(Qt::WaitCursor); // the scan's hourglass
    open(&view);
    EXPECT_EQ(
        Shown(&view, {"cmdDone", "Command1", "txtX", "txtY", "lblTested"}),
        (QStringList{"Debug Image", "Next Box", "Stop", "100", "200", "Item 7: 12 dark pixels"}));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "cmdDone");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr); // the operator's own pointer meanwhile
    auto marked = [&view](int x, int y) {
        const QImage shown = child<QLabel>(&view, "leadDebug")->pixmap().toImage();
        return shown.pixelColor(x, y) == QColor(Qt::red);
    };
    EXPECT_TRUE(marked(98, 205));
    EXPECT_FALSE(marked(298, 205));

    auto* txtX = child<QLineEdit>(&view, "txtX");
    txtX->selectAll();
    QTest::keyClicks(txtX, "300");
    EXPECT_EQ(view.XVal(), 300);
    EXPECT_TRUE(marked(298, 205));
    QTest::keyClicks(txtX, "x"); // not a number
    EXPECT_EQ(view.XVal(), 0);

    QTest::keyClick(child<QWidget>(&view, "cmdDone"), Qt::Key_Return);
    EXPECT_FALSE(view.isVisible());
    EXPECT_FALSE(view.Stopped());
    EXPECT_EQ(ended, 0);
    EXPECT_NE(QApplication::overrideCursor(), nullptr); // the hourglass is back
    QApplication::restoreOverrideCursor();

    open(&view);
    QTest::keyClick(child<QWidget>(&view, "Command1"), Qt::Key_Return);
    EXPECT_FALSE(view.isVisible());
    EXPECT_TRUE(view.Stopped());
    EXPECT_EQ(ended, 1);
}

TEST_F(ScanTest, VerboseSwitchesShowEachBoxTestedUntilStopEndsTheProgram) {
    // "/V FIRST": the first bubble of each field; "/V ALL": every bubble, here the six of the
    // tens of the age, of which the sheet marks bubble 4.
    const PolarPoint a = Decode(FilledPage()).value().AnchorBox;
    const QPoint anchor(a.x, a.y);
    for (const bool all : {false, true}) {
        SCOPED_TRACE(all ? "/V ALL" : "/V FIRST");
        ready({Client("Ann Lee")});
        seen.clear();
        messages.boxes.clear();
        ended = 0;
        station.switches.VerboseFirst = !all;
        station.switches.VerboseAll = all;
        const int views = all ? 6 : 3;
        scan("Pat Doe", [&](dvq3test::ModalScript& script) {
            for (int i = 0; i < views; ++i) // noted, then "Next Box" or at the last "Stop"
                script.then([this, button = i + 1 < views ? "cmdDone" : "Command1"](QWidget* view) {
                    QTest::qWait(10);
                    seen << Shown(view, {"txtX", "txtY", "lblTested"});
                    QTest::keyClick(view->findChild<QWidget*>(button), Qt::Key_Return);
                });
        });
        ASSERT_EQ(seen.size(), views);
        for (int i = 0; i < views; ++i) {
            const int field = all ? 0 : i, bubble = all ? i : 0;
            const QPoint at = anchor + LayoutBubbles(Layout()[field], field)[bubble];
            const QString name = Layout()[field].LocationName.trimmed();
            EXPECT_EQ(seen[i].mid(0, 3), (QStringList{"Debug Image", QString::number(at.x()),
                                                      QString::number(at.y())}));
            EXPECT_TRUE(seen[i][3].startsWith(name + ": ")) << seen[i][3].toStdString();
            const int dark = seen[i][3].section(": ", 1).section(' ', 0, 0).toInt();
            EXPECT_TRUE(field == 0 && bubble == 4 ? dark > 50 : dark < 10) << i << ": " << dark;
        }
        EXPECT_EQ(ended, 1);
        EXPECT_TRUE(opened.isEmpty()); // the program ends: no window after the view
        EXPECT_EQ(messages.texts(), QStringList{InsertSheetText("Pat Doe")});
        EXPECT_EQ(onDisk(), before);
        EXPECT_EQ(session.CurClient, 1);
    }
}

TEST_F(ScanTest, OptionsMenuPrintsABlankSheetTheReaderReads) {
    frmMainMenu mainMenu(session);
    AddAnswerSheetMenuEntry(mainMenu, session.dbTest);
    auto* options = child<QMenu>(&mainMenu, "mnuOptions");
    auto* entry = child<QAction>(&mainMenu, "mnuOptionsAnswerSheet");
    ASSERT_TRUE(options && entry);
    EXPECT_TRUE(options->actions().contains(entry));
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
    EXPECT_EQ(printed.size(), 1);
    EXPECT_EQ(box(0), (QStringList{"Print Answer Sheet",
                                   CheckScanItems(std::vector<ScanItem>(100)).error().text(),
                                   QString::number(vbCritical)}));
    EXPECT_EQ(messages.boxes.size(), 1);
}

TEST_F(ScanTest, WithoutAPrinterTheBlankSheetIsOfferedAsPdf) {
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
    EXPECT_TRUE(dvq3test::TestFolder::Read(pdf).startsWith("%PDF"));
    SetNextFileDialogAnswer({});
}
