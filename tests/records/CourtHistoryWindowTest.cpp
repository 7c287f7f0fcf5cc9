#include "RecordsFixture.h"
#include "records/RecordsMessages.h"
#include "records/frmCourtHistory.h"

#include <QLabel>
#include <QLineEdit>

using namespace dvq3;

namespace {

struct CourtHistoryWindowTest : dvq3test::RecordsFixture {
    std::unique_ptr<frmCourtHistory> window;
    void openWindow(bool existing) {
        session.EditExisting = existing;
        window = std::make_unique<frmCourtHistory>(session);
        open(window.get());
    }
    QLineEdit* box(const char* name) { return child<QLineEdit>(window.get(), name); }
    QString focused() const { return QApplication::focusWidget()->objectName(); }
};

} // namespace

TEST_F(CourtHistoryWindowTest, CountsOnEnter) {
    makeDisk({dvq3test::Client("Ann Lee")});
    openWindow(false);
    EXPECT_EQ(window->windowTitle(), kCourtHistoryCaption);
    EXPECT_EQ(child<QLabel>(window.get(), "lblClientName")->text(),
              QStringLiteral("Ann Lee").leftJustified(25));
    EXPECT_EQ(focused(), "txtDUIDWI");
    EXPECT_EQ(child<QLabel>(window.get(), "MsgPanel")->text(), kCountHelp);
    struct Row {
        const char* keys;
        bool accepted;
        const char* shown;
    };
    const Row rows[] = {{"0", true, "0"}, {"07", true, "07"},  {"99", true, "99"},
                        {"n", true, "N"}, {"00", false, "00"}, {"N5", false, "N5"},
                        {"", false, ""},  {"5A", false, "5A"}, {"+5", false, "+5"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.keys);
        box("txtDUIDWI")->setFocus();
        box("txtDUIDWI")->clear();
        const int shown = messages.boxes.size(), beeps = messages.beeps;
        QTest::keyClicks(box("txtDUIDWI"), row.keys);
        QTest::keyClick(box("txtDUIDWI"), Qt::Key_Return);
        EXPECT_EQ(box("txtDUIDWI")->text(), row.shown);
        EXPECT_EQ(focused(), row.accepted ? "txtAlcoholArrests" : "txtDUIDWI");
        EXPECT_EQ(messages.beeps - beeps, row.accepted ? 0 : 1);
        ASSERT_EQ(messages.boxes.size() - shown, row.accepted ? 0 : 1);
        if (!row.accepted) {
            EXPECT_EQ(messages.boxes.last().text, kCountError);
            EXPECT_EQ(messages.boxes.last().title, kCountErrorTitle);
        }
    }
    // A third character beeps and leaves the first two.
    box("txtDrugArrests")->setFocus();
    QTest::keyClicks(box("txtDrugArrests"), "12");
    const int beeps = messages.beeps;
    QTest::keyClick(box("txtDrugArrests"), Qt::Key_3);
    EXPECT_EQ(messages.beeps - beeps, 1);
    EXPECT_EQ(box("txtDrugArrests")->text(), "12");
}

TEST_F(CourtHistoryWindowTest, OkChecksInOrderAndWritesAnExistingClientEvenUnchanged) {
    makeDisk({dvq3test::Client("Ann Lee"), dvq3test::Client("Bob Ray")});
    session.CurClient = 2;
    openWindow(true);
    EXPECT_EQ(box("txtDUIDWI")->text(), "1");
    EXPECT_EQ(box("txtDrugArrests")->text(), "N");
    EXPECT_EQ(focused(), "cmdMenuChoice0");
    EXPECT_TRUE(child<QWidget>(window.get(), "sspMenuChoice2")->isHidden());

    box("txtAlcoholArrests")->setText("7.");
    QTest::keyClick(child<QWidget>(window.get(), "cmdMenuChoice0"), Qt::Key_Return);
    EXPECT_EQ(messages.texts(), QStringList{kCountError});
    EXPECT_EQ(focused(), "txtAlcoholArrests");
    EXPECT_EQ(box("txtAlcoholArrests")->text(), "7."); // stays as typed
    EXPECT_TRUE(window->isVisible());

    box("txtAlcoholArrests")->setText("0");
    dvq3test::DriveFaults writes;
    QTest::keyClick(child<QWidget>(window.get(), "cmdMenuChoice0"), Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(session.ContinueFlag);
    EXPECT_EQ(writes.count(DriveOp::Write), 1);
    EXPECT_EQ(recordOnDisk(2), dvq3test::Client("Bob Ray").toBytes());
}

TEST_F(CourtHistoryWindowTest, CancelAndTheHiddenKeySaveNothing) {
    makeDisk({dvq3test::Client("Ann Lee")});
    for (int way = 0; way < 3; ++way) {
        session.ContinueFlag = true;
        openWindow(true);
        box("txtDUIDWI")->setText("55");
        if (way == 0)
            QTest::keyClick(child<QWidget>(window.get(), "cmdMenuChoice1"), Qt::Key_Return);
        else if (way == 1)
            QTest::keyClick(box("txtDUIDWI"), Qt::Key_F10, Qt::AltModifier | Qt::ShiftModifier);
        else
            QTest::keyClick(window.get(), Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible()) << way;
        EXPECT_FALSE(session.ContinueFlag);
    }
    EXPECT_EQ(session.disk.Clients(1).toBytes(), dvq3test::Client("Ann Lee").toBytes());
    EXPECT_EQ(onDisk(), dvq3test::Client("Ann Lee").toBytes());
}
