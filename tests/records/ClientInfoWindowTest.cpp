#include "RecordsFixture.h"
#include "records/RecordsMessages.h"
#include "records/frmClientInfo.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace dvq3;

namespace {

struct ClientInfoWindowTest : dvq3test::RecordsFixture {
    std::unique_ptr<frmClientInfo> window;

    void openWindow(bool existing, bool fromScan = false) {
        session.EditExisting = existing;
        session.FromScan = fromScan;
        window = std::make_unique<frmClientInfo>(session, clock);
        open(window.get());
    }
    QWidget* w(const char* name) { return child<QWidget>(window.get(), name); }
    QString text(const char* name) {
        auto* edit = window->findChild<QLineEdit*>(QLatin1String(name));
        return edit ? edit->displayText()
                    : window->findChild<QComboBox*>(QLatin1String(name))->currentText();
    }
    void type(const char* name, const QString& keys) {
        QTest::keyClick(w(name), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w(name), keys);
    }
    void enter(const char* name) { QTest::keyClick(w(name), Qt::Key_Return); }
    QString focused() const {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
    }
    QString lastText() const { return messages.boxes.isEmpty() ? "" : messages.boxes.last().text; }
    // Fills every field of a new client with good values by keys, without Enter.
    void fillGood() {
        const std::pair<const char*, const char*> good[] = {
            {"txtName", "New Person"}, {"txtAge", "35"},          {"cmbGender", "2"},
            {"txtDOB", "02/29/1996"},  {"cmbEducation", "4"},     {"cmbRace", "3"},
            {"cmbMarital", "1"},       {"mebDL", "b123456789011"}};
        for (const auto& [field, keys] : good) {
            w(field)->setFocus();
            type(field, keys);
        }
    }
};

} // namespace

TEST_F(ClientInfoWindowTest, EachFieldRefusesThenAcceptsWithEnter) {
    makeDisk({dvq3test::Client("Ann Lee")});
    openWindow(false);
    EXPECT_EQ(window->windowTitle(), kClientInfoCaption);
    EXPECT_TRUE(w("sspMenuChoice2")->isHidden()); // "Check" only after a scan
    struct Row {
        const char* field;
        const char* bad;
        QString message;
        int beeps;
        const char* shownAfter;
        const char* good;
        const char* next;
        QString help;
    };
    const Row rows[] = {
        {"txtName", "", kNameError, 1, "", "New Person", "txtAge", kNameHelp},
        {"txtAge", "10", kAgeError, 1, "__", "n", "cmbGender", kAgeHelp},
        {"cmbGender", "", kGenderError, 1, "", "2", "txtDOB", kGenderHelp},
        {"txtDOB", "1/1/1990", kDOBError, 0, "1/1/1990", "", "", kDOBHelp},
        {"txtDOB", "02/29/1999", kDOBError, 1, "", "02/29/1996", "cmbEducation", kDOBHelp},
        {"txtDOB", "12/07/2026", kDOBError, 1, "", "12/06/2026", "cmbEducation", kDOBHelp},
        {"cmbEducation", "", kEducationError, 1, "", "N", "cmbRace", kEducationHelp},
        {"cmbRace", "", kRaceError, 1, "", "5", "cmbMarital", kRaceHelp},
        {"cmbMarital", "", kMaritalError, 1, "", "4", "cmdMenuChoice0", kMaritalHelp},
        {"mebDL", "A123-456-78-901-", kDLError, 1, "____-___-__-___-_", "N", "cmdMenuChoice0",
         kDLHelp},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field + std::string(" ") + row.bad);
        w(row.field)->setFocus();
        EXPECT_EQ(window->findChild<QLabel*>("MsgPanel")->text(), row.help);
        const int beeps = messages.beeps;
        type(row.field, QString::fromLatin1(row.bad));
        enter(row.field);
        EXPECT_EQ(lastText(), row.message);
        EXPECT_EQ(messages.beeps - beeps, row.beeps);
        EXPECT_EQ(focused(), QString::fromLatin1(row.field));
        EXPECT_EQ(text(row.field), QString::fromLatin1(row.shownAfter));
        if (*row.next == 0)
            continue;
        const int boxes = messages.boxes.size();
        type(row.field, QString::fromLatin1(row.good));
        enter(row.field);
        EXPECT_EQ(messages.boxes.size(), boxes);
        EXPECT_EQ(focused(), QString::fromLatin1(row.next));
    }
    EXPECT_EQ(text("txtAge"), "N");
    EXPECT_EQ(text("cmbEducation"), "N/A");
    EXPECT_EQ(text("mebDL"), "N___-___-__-___-_");
    w("txtAge")->setFocus(); // leaving the age with a value below 10
    type("txtAge", "5");
    QTest::keyClick(w("txtAge"), Qt::Key_Tab);
    EXPECT_EQ(lastText(), kInvalidAgeText);
    EXPECT_TRUE(QTest::qWaitFor([&] { return focused() == "txtAge"; }));
    type("txtAge", "n");

    QTest::keyClick(w("cmdMenuChoice0"), Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(session.ContinueFlag);
    EXPECT_EQ(session.CurClient, 2);
    EXPECT_EQ(onDisk().size(), 176); // a new client is written with its answers
    const ClientRecord& record = session.disk.Clients(2);
    EXPECT_EQ(record.toBytes(),
              QByteArray("New Person               N 212/06/202605412/06/2026N___-___-__-___-_") +
                  QByteArray(6, ' ') + QByteArray(100, '0') + "00");
}

TEST_F(ClientInfoWindowTest, ListKeysAndPrefixes) {
    makeDisk({});
    openWindow(false);
    struct Row {
        const char* list;
        Qt::Key key;
        const char* shown;
        int beeps;
        bool dropped;
    };
    const Row rows[] = {
        {"cmbGender", Qt::Key_N, "N/A", 0, false},
        {"cmbGender", Qt::Key_3, "", 1, false},
        {"cmbEducation", Qt::Key_N, "N/A", 0, false},
        {"cmbEducation", Qt::Key_8, "Advanced degree", 0, false},
        {"cmbEducation", Qt::Key_9, "", 1, false},
        {"cmbRace", Qt::Key_5, "Native American", 0, false},
        {"cmbRace", Qt::Key_N, "n", 0, true},
        {"cmbMarital", Qt::Key_N, "n", 0, true},
        {"cmbMarital", Qt::Key_X, "", 1, false},
        {"cmbMarital", Qt::Key_Backspace, "", 1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.list);
        auto* list = child<QComboBox>(window.get(), row.list);
        list->setFocus();
        const int beeps = messages.beeps;
        QTest::keyClick(list, row.key);
        EXPECT_EQ(list->currentText(), QString::fromLatin1(row.shown));
        EXPECT_EQ(messages.beeps - beeps, row.beeps);
        EXPECT_EQ(list->view()->isVisible(), row.dropped);
        list->hidePopup();
    }
    w("cmbRace")->setFocus();
    QTest::keyClick(w("cmbRace"), Qt::Key_N);
    child<QComboBox>(window.get(), "cmbRace")->hidePopup();
    enter("cmbRace"); // "N" picks nothing in this list
    EXPECT_EQ(lastText(), kRaceError);
}

TEST_F(ClientInfoWindowTest, InformationOkChecksEveryFieldBeforeStoring) {
    makeDisk({dvq3test::Client("Ann Lee")});
    struct Row {
        const char* field;
        const char* keys;
        QString message;
    };
    const Row rows[] = {{"txtDOB", "13/45/2020", kDOBError},
                        {"mebDL", "A12", kDLError},
                        {"cmbRace", "N", kRaceError},
                        {"txtAge", "9", kAgeError}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field);
        openWindow(false);
        fillGood();
        w(row.field)->setFocus();
        type(row.field, QString::fromLatin1(row.keys));
        child<QComboBox>(window.get(), "cmbRace")->hidePopup();
        w("cmdMenuChoice0")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w("cmdMenuChoice0"), Qt::Key_Return);
        EXPECT_EQ(lastText(), row.message);
        EXPECT_EQ(focused(), QString::fromLatin1(row.field));
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(session.ContinueFlag);
        EXPECT_EQ(session.CurClient, 1);
    }
}

TEST_F(ClientInfoWindowTest, ThirdChangeLocksAndTheNextOpeningIsLocked) {
    makeDisk({dvq3test::Client("Ann Lee"), dvq3test::Client("Bob Ray")});
    session.CurClient = 2;
    openWindow(true);
    EXPECT_EQ(focused(), "cmdMenuChoice0");
    EXPECT_EQ(text("txtName"), "Bob Ray");
    EXPECT_EQ(text("cmbMarital"), "Married");
    const std::pair<const char*, const char*> changes[] = {
        {"txtName", "Rob Ray"}, {"txtAge", "36"}, {"txtName", "Rob Ray"}, {"cmbGender", "2"}};
    for (const auto& [field, keys] : changes) {
        w(field)->setFocus(Qt::TabFocusReason);
        type(field, QString::fromLatin1(keys));
        QTest::keyClick(w(field), Qt::Key_Tab); // an unchanged field counts nothing
    }
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_EQ(messages.boxes[0].title, kEditLimitTitle);
    EXPECT_EQ(messages.boxes[0].text, kEditLimitText);
    EXPECT_FALSE(w("txtDOB")->isEnabled());
    EXPECT_EQ(focused(), "cmdMenuChoice0");
    EXPECT_EQ(window->findChild<QLabel*>("MsgPanel")->text(), kInfoOkLimitHelp);
    QTest::keyClick(w("cmdMenuChoice0"), Qt::Key_Return);
    EXPECT_TRUE(session.ContinueFlag);
    QByteArray expected = dvq3test::Client("Rob Ray").toBytes();
    expected.replace(25, 3, "362");
    expected.replace(41, 10, "12/06/2026");
    expected[174] = '3';
    EXPECT_EQ(recordOnDisk(2), expected);
    EXPECT_EQ(recordOnDisk(1), dvq3test::Client("Ann Lee").toBytes());

    dvq3test::DriveFaults writes;
    openWindow(true);
    ASSERT_EQ(messages.boxes.size(), 2);
    EXPECT_EQ(messages.boxes[1].title, kEditLimitTitle);
    for (const char* field : {"txtName", "txtAge", "cmbGender", "txtDOB", "cmbEducation", "cmbRace",
                              "cmbMarital", "mebDL"})
        EXPECT_FALSE(w(field)->isEnabled()) << field;
    QTest::keyClick(w("cmdMenuChoice0"), Qt::Key_Return);
    EXPECT_EQ(writes.count(DriveOp::Write), 0);
}

TEST_F(ClientInfoWindowTest, DeletedNameIsLockedAndNothingUnchangedIsWritten) {
    ClientRecord deleted = dvq3test::Client("Xq!z 9#k");
    deleted.set(&ClientRecord::NameDeleted, "1");
    makeDisk({deleted, dvq3test::Client("Bob Ray")});
    dvq3test::DriveFaults writes;
    for (int client : {1, 2}) {
        session.CurClient = client;
        openWindow(true);
        // Another window over this one and back: the set-up does not run again.
        QWidget other;
        open(&other);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        EXPECT_EQ(w("txtName")->isEnabled(), client == 2);
        QTest::keyClick(w("cmdMenuChoice0"), Qt::Key_Return);
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_EQ(messages.texts(), QStringList{kNameDeletedText});
    EXPECT_EQ(messages.boxes[0].title, kNameDeletedTitle);
    EXPECT_EQ(writes.count(DriveOp::Write), 0);
    EXPECT_EQ(recordOnDisk(2), dvq3test::Client("Bob Ray").toBytes()); // RecordDate kept
}

TEST_F(ClientInfoWindowTest, CheckScoresAScannedClientFromMemoryOnly) {
    makeDisk({dvq3test::Client("Ann Lee")});
    const QByteArray before = onDisk();
    session.CurClient = 2;
    session.disk.Clients(2) = dvq3test::Client("Scanned Person");
    openWindow(false, true);
    EXPECT_EQ(text("txtName"), "Scanned Person");
    ASSERT_FALSE(w("sspMenuChoice2")->isHidden());
    QTest::keyClick(w("cmdMenuChoice2"), Qt::Key_Return);
    ASSERT_EQ(messages.boxes.size(), 1);
    const QStringList lines = messages.boxes[0].text.split(u'\r', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7) << messages.boxes[0].text.toStdString();
    EXPECT_EQ(lines[0], kScaleHeading);
    EXPECT_EQ(lines[1].count(u','), 2);
    EXPECT_EQ(onDisk(), before);
    EXPECT_EQ(session.disk.NumClients(), 1);
    QTest::keyClick(w("cmdMenuChoice0"), Qt::Key_Return);
    EXPECT_EQ(onDisk(), before); // a scanned client is stored with its answers
    EXPECT_EQ(session.disk.Clients(2).Responses, dvq3test::Client("").Responses);
}

TEST_F(ClientInfoWindowTest, AnyCloseIsCancel) {
    makeDisk({dvq3test::Client("Ann Lee")});
    for (int way = 0; way < 3; ++way) {
        session.ContinueFlag = true; // left over from an earlier window
        openWindow(true);
        type("txtName", "Changed");
        if (way == 0)
            QTest::keyClick(w("cmdMenuChoice1"), Qt::Key_Return);
        else if (way == 1)
            QTest::keyClick(window.get(), Qt::Key_Escape);
        else
            window->close();
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(session.ContinueFlag);
    }
    EXPECT_EQ(onDisk(), dvq3test::Client("Ann Lee").toBytes());
    EXPECT_EQ(session.disk.Clients(1), ClientRecord::FromBytes(onDisk()));
}
