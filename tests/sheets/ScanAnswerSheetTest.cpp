// The scan procedure from the name prompt to the hand-over to the review windows.
#include "SaneFolder.h"
#include "ScanFixture.h"
#include "platform/ProgramFolder.h"
#include "platform/ScannerSane.h"
#include "records/RecordsMessages.h"
#include "records/frmClientInfo.h"
#include "records/frmCourtHistory.h"
#include "sheets/ImagingControl.h"
#include "sheets/NewScan.h"
#include "sheets/ScanMessages.h"
#include "ui/WindowSeam.h"

#include <QLabel>

using namespace dvq3;
using namespace sheettest;

namespace {

struct ScanAnswerSheetTest : ScanFixture {
    // Every trace of a scan whose client was not saved is gone.
    void expectNothingStored(const QByteArray& before, int current, const std::string& why) {
        EXPECT_EQ(onDisk(), before) << why;
        EXPECT_EQ(session.disk.NumClients(), before.size() / ClientRecord::kLength) << why;
        EXPECT_EQ(session.CurClient, current) << why;
        EXPECT_EQ(session.disk.Clients(session.disk.NumClients() + 1), ClientRecord()) << why;
        EXPECT_FALSE(session.FromScan) << why;
    }
};

} // namespace

TEST_F(ScanAnswerSheetTest, NamePromptOpensEmptyAndEveryCancelStoresNothing) {
    makeDisk({dvq3test::Client("Ann Lee"), dvq3test::Client("Bo Chan")});
    const QByteArray before = onDisk();
    fake->givePage(FilledPage());
    struct Row {
        const char* where;
        QString name;
        int insertAnswer;
        ScannerStatus status;
        QString cancelAt;
        QStringList opened;
    };
    const QStringList all{"frmClientInfo", "frmCourtHistory", "frmNewEntry"};
    const Row rows[] = {
        {"name prompt", "", vbOK, ScannerStatus::Good, "", {}},
        {"insert prompt", "Pat Doe", vbCancel, ScannerStatus::Good, "", {}},
        {"scanner", "Pat Doe", vbOK, ScannerStatus::Jammed, "", {}},
        {"client information", "Pat Doe", vbOK, ScannerStatus::Good, all[0], all.mid(0, 1)},
        {"court history", "Pat Doe", vbOK, ScannerStatus::Good, all[1], all.mid(0, 2)},
        {"response grid", "Pat Doe", vbOK, ScannerStatus::Good, all[2], all},
    };
    for (const Row& row : rows) {
        opened.clear();
        messages.boxes.clear();
        review(row.cancelAt);
        if (row.status == ScannerStatus::Good)
            fake->givePage(FilledPage());
        else
            fake->giveStatus(row.status);
        if (row.insertAnswer == vbCancel)
            messages.answer(vbCancel); // every other box takes its first button
        session.CurClient = 2;
        dvq3test::ModalScript script;
        script.then([&row](QWidget* box) {
            EXPECT_EQ(box->windowTitle(), kClientNameCaption);
            EXPECT_EQ(box->findChild<QLabel*>("lblHelpMsg")->text(), kClientNameHelp);
            auto* input = box->findChild<QLineEdit*>("txtInput");
            EXPECT_EQ(input->text(), "");
            EXPECT_EQ(input->maxLength(), kClientNameLength);
            EXPECT_EQ(box->focusWidget(), input);
            if (row.name.isEmpty())
                QTest::keyClick(box->findChild<QWidget*>("cmdMenuChoice1"), Qt::Key_Return);
            else
                dvq3test::Answer(box, row.name);
        });
        ScanAnswerSheet(session, station);
        EXPECT_TRUE(script.done()) << row.where;
        EXPECT_EQ(opened, row.opened) << row.where;
        expectNothingStored(before, 1, row.where);
        if (row.name.isEmpty())
            EXPECT_TRUE(messages.boxes.isEmpty()) << row.where;
        else
            EXPECT_EQ(messages.boxes[0].text, InsertSheetText(row.name)) << row.where;
        if (row.status == ScannerStatus::Jammed) {
            EXPECT_EQ(messages.boxes.last().text, TwainErrorMessage(20084).text);
        }
    }
    messages.boxes.clear();
}

TEST_F(ScanAnswerSheetTest, OnAnEmptyDiskACancelLeavesNoCurrentClient) {
    makeDisk({});
    review(QStringLiteral("frmCourtHistory"));
    fake->givePage(FilledPage());
    session.CurClient = 1;
    scan("Pat Doe");
    expectNothingStored({}, 0, "empty disk");
    EXPECT_EQ(opened, (QStringList{"frmClientInfo", "frmCourtHistory"}));
}

TEST_F(ScanAnswerSheetTest, TheScannedClientComesAfterTheStoredOnesAndOnlyTheGridStoresIt) {
    makeDisk({dvq3test::Client("Ann Lee"), dvq3test::Client("Bo Chan")});
    const QByteArray before = onDisk();
    const QImage page = FilledPage();
    fake->givePage(page);
    review();
    scan("Pat Doe");

    EXPECT_EQ(messages.boxes[0].title, kTestScanTitle);
    EXPECT_EQ(messages.boxes[0].text,
              "Insert answer sheet for \r\n\r\nPat Doe   (face down)\r\n\r\n"
              "into scanner.");
    EXPECT_EQ(messages.boxes[0].buttons(), vbOKCancel);
    const auto warning = MultipleMarksWarning({Layout()[kFirstItemField + 4].LocationName});
    ASSERT_EQ(messages.boxes.size(), 2);
    EXPECT_EQ(messages.boxes[1].title, warning->title);
    EXPECT_EQ(messages.boxes[1].text, warning->text);

    EXPECT_EQ(opened, (QStringList{"frmClientInfo", "frmCourtHistory", "frmNewEntry"}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(diskWhenShown[i], before) << i; // nothing written before the grid's Save
        EXPECT_EQ(recordWhenShown[i], FilledClient("Pat Doe")) << i;
    }
    EXPECT_EQ(onDisk(), before + FilledClient("Pat Doe").toBytes());
    EXPECT_EQ(session.disk.NumClients(), 3);
    EXPECT_EQ(session.CurClient, 3);
    EXPECT_FALSE(session.FromScan);

    // The page as scanned is kept; the positions read are written back to the layout.
    ImagingControl raw;
    ASSERT_TRUE(raw.Load(StationFile("Raw.bmp")));
    EXPECT_EQ(raw.image(), page);
    auto table = session.dbTest.openTable("ScanItem");
    ASSERT_TRUE(table);
    Recordset rs = table.value();
    rs.moveFirst();
    for (int i = 0; i < 4; ++i, rs.moveNext())
        EXPECT_EQ(QPoint(rs.field("x").toInt(), rs.field("y").toInt()),
                  ScanItemOrigin(Layout()[i]));
}

TEST_F(ScanAnswerSheetTest, DuringTheScanTheFlagsSayANewScannedClient) {
    makeDisk({dvq3test::Client("Ann Lee")});
    fake->givePage(FilledPage());
    QList<bool> flags;
    session.EditExisting = true;
    session.ChainWindows["frmClientInfo"] = [&flags](Session& s) {
        flags << s.FromScan << s.EditExisting << s.ContinueFlag << (s.CurClient == 2);
    };
    scan("Pat Doe");
    EXPECT_EQ(flags, (QList<bool>{true, false, false, true}));
}

TEST_F(ScanAnswerSheetTest, ASilentScannerIsGivenUpWithTwainError) {
    makeDisk({dvq3test::Client("Ann Lee")});
    review();
    dvq3test::TestFolder::Write(ProgramFile("dvq3test.ini"), "[Scanner]\r\nTimeout=0.2\r\n");
    fake->hang(true);
    scan("Pat Doe");
    ASSERT_EQ(messages.boxes.size(), 2);
    EXPECT_EQ(messages.boxes[1].text, TwainErrorMessage(20080).text);
    EXPECT_EQ(fake->cancels(), 1);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(ScanAnswerSheetTest, ALayoutTooShortOrUnwritableEndsWithScanError) {
    makeDisk({dvq3test::Client("Ann Lee")});
    const QByteArray before = onDisk();
    review();
    fake->givePage(FilledPage());
    ASSERT_TRUE(session.dbTest.execute("DELETE FROM ScanItem WHERE rowid > 100"));
    scan("Pat Doe");
    ASSERT_EQ(messages.boxes.size(), 2);
    EXPECT_EQ(messages.boxes[1].title, kScanErrorTitle);
    EXPECT_EQ(messages.boxes[1].icon(), vbCritical);
    EXPECT_EQ(messages.boxes[1].text, CheckScanItems(std::vector<ScanItem>(100)).error().text());
    EXPECT_TRUE(messages.boxes[1].text.endsWith("\rAborting scan."));

    // A full table that refuses the positions written back.
    session.dbTest.close();
    QFile::remove(folder.path("DVQ3.MDB"));
    SetUp();
    ASSERT_TRUE(session.dbTest.execute("CREATE TRIGGER Locked BEFORE UPDATE ON ScanItem "
                                       "BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    messages.boxes.clear();
    scan("Pat Doe");
    ASSERT_EQ(messages.boxes.size(), 2);
    EXPECT_EQ(messages.boxes[1].title, kScanErrorTitle);
    EXPECT_TRUE(messages.boxes[1].text.startsWith(
        "The answer sheet layout (table ScanItem) cannot be used:\r"));
    EXPECT_TRUE(opened.isEmpty());
    expectNothingStored(before, 1, "layout");
}

TEST_F(ScanAnswerSheetTest, EachScannerStatusShowsItsTwainError) {
    makeDisk({dvq3test::Client("Ann Lee")});
    const QByteArray before = onDisk();
    review();
    const SaneFolder sane;
    const QString file = sane.sheet(FilledPage());
    const auto scanner = std::make_shared<ScannerSane>();
    station.scanner = scanner;
    struct Row {
        const char* device;
        QString option;
        int code;
    };
    const Row rows[] = {
        {"pnm:0", "status-nodocs=yes", 20006},
        {"pnm:0", "status-jammed=yes", 20084},
        {"pnm:0", "status-coveropen=yes", 20084},
        {"pnm:0", "status-ioerror=yes", 20000},
        {"pnm:0", "status-nomem=yes", 20081},
        {"pnm:0", "status-accessdenied=yes", 20014},
        {"pnm:0", "status-eof=yes", 20000}, // an empty page
        {"pnm:0", "no-such-setting=1", 20087},
        {"pnm:9", "", 20082},
        {"test:0", "read-return-value=SANE_STATUS_CANCELLED", 20090},
        {"test:0", "read-return-value=SANE_STATUS_DEVICE_BUSY", 20083},
        {"test:0", "read-return-value=SANE_STATUS_UNSUPPORTED", 20085},
    };
    for (const Row& row : rows) {
        const QString options = QString(row.device) == "pnm:0"
                                    ? "filename=" + file + ";status=yes;" + row.option
                                    : row.option;
        dvq3test::TestFolder::Write(ProgramFile("dvq3test.ini"),
                                    QString("[Scanner]\r\nDevice=%1\r\nOptions=%2\r\n")
                                        .arg(row.device, options)
                                        .toLocal8Bit());
        messages.boxes.clear();
        scan("Pat Doe");
        ASSERT_EQ(messages.boxes.size(), 2) << row.code;
        EXPECT_EQ(messages.boxes[1].title, "Twain Error");
        EXPECT_EQ(messages.boxes[1].text, TwainErrorMessage(row.code).text);
        EXPECT_EQ(messages.boxes[1].buttons(), vbOKOnly);
        // The file device fails the start after a forced status once: a plain scan takes that.
        (void)AcquirePage(scanner, ScanRequest{"pnm:0", {"status=yes"}}, std::chrono::seconds(30));
    }
    EXPECT_EQ(TwainErrorMessage(20084).text, "Error '20084, Twain DS or DSM reported error, app "
                                             "shouldn't.");
    EXPECT_TRUE(opened.isEmpty());
    expectNothingStored(before, 1, "statuses");
}

TEST_F(ScanAnswerSheetTest, DebugSwitchReadsDebugBmpAndReportsItMissing) {
    makeDisk({});
    review();
    station.switches.ScanDebug = true;
    fake->giveStatus(ScannerStatus::NoDevice); // the scanner is not asked
    scan("Pat Doe");
    ASSERT_EQ(messages.boxes.size(), 2);
    EXPECT_EQ(messages.boxes[1].text, TwainErrorMessage(kLeadFileNotFound).text);

    ImagingControl debug;
    debug.setImage(FilledPage());
    ASSERT_TRUE(debug.Save(ProgramFile("Debug.bmp")));
    scan("Pat Doe");
    EXPECT_EQ(opened, (QStringList{"frmClientInfo", "frmCourtHistory", "frmNewEntry"}));
    EXPECT_EQ(onDisk(), FilledClient("Pat Doe").toBytes());
    EXPECT_EQ(dvq3test::TestFolder::Read(StationFile("Raw.bmp")),
              dvq3test::TestFolder::Read(ProgramFile("Debug.bmp")));
    EXPECT_TRUE(fake->requests().empty());
}

TEST_F(ScanAnswerSheetTest, TheRealReviewWindowsTakeTheScanFromThePnmDeviceByKeys) {
    makeDisk({dvq3test::Client("Ann Lee")});
    const QByteArray before = onDisk();
    const SaneFolder sane;
    dvq3test::TestFolder::Write(
        ProgramFile("dvq3test.ini"),
        ("[Scanner]\r\nDevice=pnm:0\r\nOptions=filename=" + sane.sheet(FilledPage()) + "\r\n")
            .toLocal8Bit());
    station.scanner = std::make_shared<ScannerSane>();
    review(); // the grid's stand-in saves; the other two windows are the station's own
    session.ChainWindows["frmClientInfo"] = [this](Session& s) {
        frmClientInfo window(s, clock);
        window.exec();
    };
    session.ChainWindows["frmCourtHistory"] = [](Session& s) {
        frmCourtHistory window(s);
        window.exec();
    };
    auto key = [](int k) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(k)); };
    scan("Pat Doe", [&key](dvq3test::ModalScript& script) {
        script.then([&key](QWidget* info) {
            QTest::qWait(20);
            EXPECT_EQ(info->findChild<QLineEdit*>("txtAge")->text(), "42");
            EXPECT_FALSE(info->findChild<QWidget*>("sspMenuChoice2")->isHidden()); // "Check"
            key(Qt::Key_Return); // no date of birth: refused, the focus goes there
            QTest::keyClicks(QApplication::focusWidget(), "n");
            for (int i = 0; i < 5; ++i) // date, education, race, marital, then the licence
                key(Qt::Key_Return);
            QTest::keyClicks(QApplication::focusWidget(), "n");
            key(Qt::Key_Return);
            key(Qt::Key_Return); // Information OK
        });
        script.then([&key](QWidget* court) {
            QTest::qWait(20);
            EXPECT_EQ(court->findChild<QLineEdit*>("txtDUIDWI")->text(), "2");
            for (int i = 0; i < 4; ++i)
                key(Qt::Key_Return);
        });
    });
    ClientRecord expected = FilledClient("Pat Doe");
    expected.set(&ClientRecord::DOB, "N");
    expected.set(&ClientRecord::DL, "N___-___-__-___-_"); // as the masked field shows it
    expected.set(&ClientRecord::RecordDate, "12/06/2026");
    EXPECT_EQ(onDisk(), before + expected.toBytes());
    EXPECT_EQ(messages.texts().mid(2), (QStringList{kDOBError, kDLError}));
}
