#include "RecordsFixture.h"
#include "records/windows/frmClientInfo.h"
#include "records/windows/frmCourtHistory.h"

using namespace dvq3;
using dvq3test::Client;

namespace {

// The two windows of a client's data: the client information and the court history.
struct ClientWindowsTest : dvq3test::RecordsFixture {
    void info(bool existing, bool fromScan = false) {
        session.EditExisting = existing;
        session.FromScan = fromScan;
        show<frmClientInfo>(clock);
    }
};

} // namespace

TEST_F(ClientWindowsTest, EachFieldRefusesThenAcceptsWithEnter) {
    makeDisk({Client("Ann Lee")});
    info(false);
    // "Check" only after a scan.
    EXPECT_EQ(std::pair(window->windowTitle(), w("sspMenuChoice2")->isHidden()),
              std::pair(kClientInfoCaption, true));
    // A refused entry beeps and is cleared, but for a date not yet complete; a good one goes on.
    using Row = std::tuple<const char*, const char*, int, const char*, const char*, const char*,
                           QString, QString>;
    const Row rows[] = {
        {"txtName", "", 1, "", "New Person", "txtAge", kNameError, kNameHelp},
        {"txtAge", "10", 1, "__", "n", "cmbGender", kAgeError, kAgeHelp},
        {"cmbGender", "", 1, "", "2", "txtDOB", kGenderError, kGenderHelp},
        {"txtDOB", "1/1/1990", 0, "1/1/1990", "02/29/1996", "cmbEducation", kDOBError, kDOBHelp},
        // 2028 is past for the window's clock (2031), not for the machine's.
        {"txtDOB", "02/29/1999", 1, "", "02/29/2028", "cmbEducation", kDOBError, kDOBHelp},
        {"cmbEducation", "", 1, "", "N", "cmbRace", kEducationError, kEducationHelp},
        {"cmbRace", "", 1, "", "5", "cmbMarital", kRaceError, kRaceHelp},
        {"cmbMarital", "", 1, "", "4", "cmdMenuChoice0", kMaritalError, kMaritalHelp},
        {"mebDL", "A123-456-78-901-", 1, "____-___-__-___-_", "N", "cmdMenuChoice0", kDLError,
         kDLHelp},
    };
    for (const auto& [field, bad, beeps, shown, good, next, message, help] : rows) {
        SCOPED_TRACE(field + std::string(" ") + bad);
        w(field)->setFocus();
        EXPECT_EQ(text("MsgPanel"), help);
        EXPECT_EQ(enter(field, bad), QStringList({message, QString::number(beeps), field, shown}));
        EXPECT_EQ(enter(field, good).mid(0, 3), QStringList({"", "0", next}));
    }
    // A bad date or licence tabbed past: "Information OK" shows its message and stores nothing.
    for (const auto& [field, bad, good, message] :
         {std::tuple("txtDOB", "13/45/2020", "02/29/1996", kDOBError),
          std::tuple("mebDL", "A12", "N", kDLError)}) {
        type(field, bad);
        w("cmdMenuChoice0")->setFocus(Qt::TabFocusReason);
        press("cmdMenuChoice0");
        EXPECT_EQ(QStringList({lastText(), focused()}), QStringList({message, field}));
        EXPECT_EQ(after(), std::tuple(true, false, 1));
        type(field, good);
    }
    press("cmdMenuChoice0");
    EXPECT_EQ(after(), std::tuple(false, true, 2));
    EXPECT_EQ(onDisk().size(), 176); // a new client is written with its answers
    EXPECT_EQ(session.disk.Clients(2).toBytes(),
              QByteArray("New Person               N 202/29/199605405/17/2031N___-___-__-___-_") +
                  QByteArray(6, ' ') + QByteArray(100, '0') + "00");
}

// A message that hands the focus back to its field leaves the field's whole text selected, so
// what is typed next replaces the refused value: plain, masked and list fields, and leaving the
// age below 10 (whose message comes as the focus leaves).
TEST_F(ClientWindowsTest, TheValueTypedAfterAMessageReplacesTheRefusedOne) {
    makeDisk({Client("Ann Lee")});
    dvq3test::BoxTakesKeyboard box;
    messages.onShow = [&box](const MsgBoxCall&) { box.take(); };
    struct Row {
        const char *field, *bad;
        Qt::Key leave;
        QString message;
        const char *good, *shown, *next;
    };
    const Row rows[] = {
        {"txtAge", "5", Qt::Key_Tab, kInvalidAgeText, "42", "42", "cmbGender"},
        {"txtDOB", "1/1/1990", Qt::Key_Return, kDOBError, "02/29/1996", "02/29/1996",
         "cmbEducation"},
        {"mebDL", "A12", Qt::Key_Return, kDLError, "N", "N___-___-__-___-_", "cmdMenuChoice0"},
        {"cmbGender", "", Qt::Key_Return, kGenderError, "2", "Female", "txtDOB"},
        {"txtDUIDWI", "N5", Qt::Key_Return, kCountError, "7", "7", "txtAlcoholArrests"},
    };
    info(false);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field);
        if (row.field == std::string("txtDUIDWI"))
            show<frmCourtHistory>();
        type(row.field, row.bad);
        press(row.field, row.leave);
        EXPECT_EQ(lastText(), row.message);
        box.handBack(window.get());
        ASSERT_EQ(focused(), row.field);
        QTest::keyClicks(QApplication::focusWidget(), row.good);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QStringList({text(row.field), focused()}), QStringList({row.shown, row.next}));
    }
}

// A code or N picks its choice; other keys blank the list with a beep; N in a list without N/A
// drops the list down.
TEST_F(ClientWindowsTest, ListKeysAndPrefixes) {
    makeDisk({});
    info(false);
    const std::pair<const char*, std::vector<std::pair<char, const char*>>> lists[] = {
        {"cmbGender", {{'n', "N/A"}, {'3', ""}}},
        {"cmbRace", {{'5', "Native American"}, {'n', "n"}}},
        {"cmbMarital", {{'n', "n"}, {'x', ""}, {'\b', ""}}}};
    for (const auto& [list, keys] : lists)
        for (const auto& [key, shown] : keys) {
            w(list)->setFocus();
            const int beeps = messages.beeps;
            QTest::keyClick(w(list), key);
            EXPECT_EQ(QStringList({text(list), QString::number(messages.beeps - beeps),
                                   w<QComboBox>(list)->view()->isVisible() ? "down" : "up"}),
                      QStringList({shown, *shown ? "0" : "1", *shown == 'n' ? "down" : "up"}))
                << list << " " << key;
            w<QComboBox>(list)->hidePopup();
        }
    type("cmbRace", "N");
    w<QComboBox>("cmbRace")->hidePopup();
    press("cmbRace"); // "N" picks nothing in this list
    EXPECT_EQ(lastText(), kRaceError);
}

// A deleted name is locked; an unchanged client is not written; the third change locks the
// client and the next opening finds it locked.
TEST_F(ClientWindowsTest, DeletedNameAndThirdChangeLock) {
    ClientRecord deleted = Client("Xq!z 9#k");
    deleted.set(&ClientRecord::NameDeleted, "1");
    makeDisk({deleted, Client("Bob Ray")});
    dvq3test::DriveFaults writes;
    for (int client : {1, 2}) {
        session.CurClient = client;
        info(true);
        dvq3test::CoverAndReturn(window.get()); // the set-up does not run again
        EXPECT_EQ(w("txtName")->isEnabled(), client == 2);
        press("cmdMenuChoice0");
        EXPECT_FALSE(window->isVisible());
    }
    const QString deletedBox = Box(kNameDeletedTitle, kNameDeletedText),
                  limit = Box(kEditLimitTitle, kEditLimitText);
    EXPECT_EQ(boxes(), QStringList{deletedBox});
    EXPECT_EQ(writes.count(DriveOp::Write), 0);

    info(true);
    const std::pair<const char*, const char*> changes[] = {
        {"txtName", "Rob Ray"}, {"txtAge", "36"}, {"txtName", "Rob Ray"}, {"cmbGender", "2"}};
    for (const auto& [field, keys] : changes) {
        type(field, keys);
        press(field, Qt::Key_Tab); // an unchanged field counts nothing
    }
    EXPECT_EQ(boxes(), QStringList({deletedBox, limit}));
    EXPECT_EQ(
        QStringList({w("txtDOB")->isEnabled() ? "enabled" : "locked", focused(), text("MsgPanel")}),
        QStringList({"locked", "cmdMenuChoice0", kInfoOkLimitHelp}));
    press("cmdMenuChoice0");
    EXPECT_TRUE(session.ContinueFlag);
    QByteArray rob = Client("Rob Ray").toBytes(); // 36, female, saved today, changed 3 times
    rob.replace(25, 3, "362").replace(41, 10, "05/17/2031").replace(174, 1, "3");
    EXPECT_EQ(onDisk(), deleted.toBytes() + rob);

    const int written = writes.count(DriveOp::Write);
    info(true);
    EXPECT_EQ(boxes(), QStringList({deletedBox, limit, limit}));
    EXPECT_FALSE(w("txtName")->isEnabled() || w("mebDL")->isEnabled());
    press("cmdMenuChoice0");
    EXPECT_EQ(writes.count(DriveOp::Write), written);
}

TEST_F(ClientWindowsTest, CheckScoresAScannedClientFromMemoryOnly) {
    makeDisk({Client("Ann Lee")});
    const QByteArray before = onDisk();
    session.CurClient = 2;
    session.disk.Clients(2) = Client("Scanned Person");
    info(false, true);
    EXPECT_EQ(text("txtName"), "Scanned Person");
    ASSERT_FALSE(w("sspMenuChoice2")->isHidden());
    press("cmdMenuChoice2");
    ASSERT_EQ(messages.boxes.size(), 1);
    const QStringList lines = messages.boxes[0].text.split(u'\r', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7) << messages.boxes[0].text.toStdString();
    EXPECT_EQ(std::tuple(lines[0], lines[1].count(u','), session.disk.NumClients()),
              std::tuple(kScaleHeading, 2, 1));
    press("cmdMenuChoice0"); // a scanned client is stored with its answers, not here
    EXPECT_EQ(std::pair(onDisk(), session.disk.Clients(2).Responses),
              std::pair(before, Client("").Responses));
}

// A count is taken or refused on Enter and again by "Information OK", which writes an existing
// client even unchanged. Which counts are taken is tabled in ClientInfoRules.
TEST_F(ClientWindowsTest, CourtHistoryCountsAndOk) {
    makeDisk({Client("Ann Lee"), Client("Bob Ray")});
    session.CurClient = 2;
    session.EditExisting = true;
    show<frmCourtHistory>();
    EXPECT_TRUE(w("sspMenuChoice2")->isHidden());
    const std::tuple<const char*, bool, const char*> rows[] = {
        {"07", true, "07"}, {"n", true, "N"}, {"N5", false, "N5"}};
    for (const auto& [keys, accepted, shown] : rows)
        EXPECT_EQ(enter("txtDUIDWI", keys),
                  accepted ? QStringList({"", "0", "txtAlcoholArrests", shown})
                           : QStringList({kCountError, "1", "txtDUIDWI", shown}))
            << keys;
    EXPECT_EQ(QStringList({messages.boxes.last().title, text("MsgPanel"), text("lblClientName")}),
              QStringList({kCountErrorTitle, kCountHelp, QString("Bob Ray").leftJustified(25)}));
    // A third character beeps and leaves the first two.
    type("txtDUIDWI", "12");
    const int beeps = messages.beeps;
    press("txtDUIDWI", Qt::Key_3);
    EXPECT_EQ(std::pair(messages.beeps - beeps, text("txtDUIDWI")), std::pair(1, QString("12")));
    type("txtDUIDWI", "1");
    type("txtAlcoholArrests", "7.");
    press("cmdMenuChoice0"); // the count stays as typed
    EXPECT_EQ(QStringList({lastText(), focused(), text("txtAlcoholArrests")}),
              QStringList({kCountError, "txtAlcoholArrests", "7."}));
    EXPECT_TRUE(window->isVisible());
    type("txtAlcoholArrests", "0");
    dvq3test::DriveFaults writes;
    press("cmdMenuChoice0");
    EXPECT_EQ(std::tuple_cat(after(), std::tuple(writes.count(DriveOp::Write))),
              std::tuple(false, true, 2, 1));
    EXPECT_EQ(recordOnDisk(2), Client("Bob Ray").toBytes());
}

// Cancel, the window's close and the court history's hidden key save nothing (Escape is Qt's
// way to the same reject()).
TEST_F(ClientWindowsTest, AnyCloseIsCancel) {
    makeDisk({Client("Ann Lee")});
    session.EditExisting = true;
    const std::tuple<const char*, bool, std::function<void()>> ways[] = {
        {"info cancel", true, [&] { press("cmdMenuChoice1"); }},
        {"info close", true, [&] { window->close(); }},
        {"court cancel", false, [&] { press("cmdMenuChoice1"); }},
        {"court Alt+Shift+F10", false,
         [&] { press("txtDUIDWI", Qt::Key_F10, Qt::AltModifier | Qt::ShiftModifier); }}};
    for (const auto& [way, clientInfo, leave] : ways) {
        SCOPED_TRACE(way);
        session.ContinueFlag = true; // left over from an earlier window
        clientInfo ? info(true) : (void)show<frmCourtHistory>();
        type(clientInfo ? "txtName" : "txtDUIDWI", "55");
        leave();
        EXPECT_EQ(after(), std::tuple(false, false, 1));
    }
    EXPECT_EQ(onDisk(), Client("Ann Lee").toBytes());
    EXPECT_EQ(session.disk.Clients(1), ClientRecord::FromBytes(onDisk()));
}
