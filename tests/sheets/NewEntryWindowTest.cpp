#include "../test/AdminFixture.h"
#include "sheets/frmNewEntry.h"
#include "test/AdminTexts.h"
#include "test/Questionnaire.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include <cerrno>

using namespace dvq3;
using dvq3test::Child;

namespace {

struct NewEntryWindowTest : dvq3test::AdminFixture {
    std::unique_ptr<frmNewEntry> window;

    void openWindow() {
        window = std::make_unique<frmNewEntry>(session);
        open(window.get());
    }
    QTableWidget* grid(int k) const {
        return Child<QTableWidget>(window.get(), QString("grdResponses%1").arg(k));
    }
    // The grid with the focus and the item of its current row.
    int grid() const {
        return focusName().startsWith("grdResponses") ? focusName().mid(12).toInt() : -1;
    }
    int item() const {
        const QTableWidget* g = grid(grid());
        return g->item(g->currentRow(), 0)->text().chopped(1).toInt();
    }
    QString help() const { return Child<QLabel>(window.get(), "MsgPanel")->text(); }
    // Down arrows to item n from item 1.
    void reach(int n) {
        while (item() < n)
            key(Qt::Key_Down);
    }
    QString rowText(int k, int row) const {
        QString text;
        for (int c = 0; c < grid(k)->columnCount(); ++c)
            text += grid(k)->item(row - 1, c)->text() + u'|';
        return text;
    }
};

} // namespace

TEST_F(NewEntryWindowTest, OpensWithOneGridPerSectionAndRowOneHighlighted) {
    openWindow();
    EXPECT_EQ(window->windowTitle(), kNewEntryCaption);
    EXPECT_EQ(Child<QLabel>(window.get(), "lblClientName")->text(),
              QString("New One").leftJustified(25));
    EXPECT_FALSE(Child<QWidget>(window.get(), "sspMenuChoice2")->isVisible());
    const int rows[] = {29, 25, 23, 16, 7};
    const int columns[] = {3, 5, 5, 5, 5};
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(Child<QLabel>(window.get(), QString("lblSection%1").arg(k))->text(),
                  QString("Section %1").arg(k + 1));
        EXPECT_EQ(grid(k)->rowCount(), rows[k]);
        ASSERT_EQ(grid(k)->columnCount(), columns[k]);
        EXPECT_EQ(grid(k)->horizontalHeaderItem(0)->text(), "Num");
        EXPECT_EQ(grid(k)->horizontalHeaderItem(1)->text(), "1");
        EXPECT_EQ(grid(k)->item(0, 0)->text(), QString("%1.").arg(SectionStart[k] + 1));
        EXPECT_EQ(grid(k)->item(0, 0)->foreground().color(), QColor(0, 0, 128));
        if (k > 0) {
            EXPECT_GT(grid(k)->x(), grid(k - 1)->x() + grid(k - 1)->width());
        }
    }
    EXPECT_EQ(focusName(), "grdResponses0");
    EXPECT_EQ(help(), FormatHelpLine(0));
    EXPECT_EQ(grid(0)->item(0, 1)->background().color(), QColor(0, 255, 255));
    EXPECT_EQ(grid(0)->item(1, 1)->background().color(), QColor(Qt::white));
    EXPECT_EQ(rowText(0, 1), "1.|||");
}

TEST_F(NewEntryWindowTest, KeysPerFormatAndMovesAcrossGrids) {
    openWindow();
    struct Row {
        int at; // item the key is pressed on
        Qt::Key key;
        int beeps;
        int then;      // item current afterwards
        int focusGrid; // grid with the focus afterwards
        char stored;   // the item's answer afterwards
    };
    const Row rows[] = {
        {1, Qt::Key_Up, 1, 1, 0, '0'},       {1, Qt::Key_3, 1, 1, 0, '0'},
        {1, Qt::Key_5, 1, 1, 0, '0'},        {1, Qt::Key_A, 1, 1, 0, '0'},
        {1, Qt::Key_2, 0, 2, 0, '2'},        {29, Qt::Key_1, 0, 30, 1, '1'},
        {30, Qt::Key_5, 1, 30, 1, '0'},      {30, Qt::Key_Up, 0, 29, 0, '0'},
        {29, Qt::Key_Down, 0, 30, 1, '1'},   {55, Qt::Key_5, 1, 55, 2, '0'},
        {78, Qt::Key_5, 1, 78, 3, '0'},      {94, Qt::Key_5, 1, 94, 4, '0'},
        {94, Qt::Key_4, 0, 95, 4, '4'},      {95, Qt::Key_Backspace, 0, 95, 4, '0'},
        {100, Qt::Key_2, 1, 100, 4, '2'},    {100, Qt::Key_Down, 1, 100, 4, '2'},
        {100, Qt::Key_Left, 0, 100, 4, '2'},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.at << " key " << row.key);
        reach(row.at);
        ASSERT_EQ(item(), row.at);
        const int beeps = messages.beeps;
        key(row.key);
        EXPECT_EQ(messages.beeps - beeps, row.beeps);
        EXPECT_EQ(item(), row.then);
        EXPECT_EQ(grid(), row.focusGrid);
        EXPECT_EQ(help(), FormatHelpLine(SectionFormat(row.focusGrid + 1)));
        const int k = SectionOfItem(row.at) - 1;
        const int r = row.at - SectionStart[k];
        const QString shown = rowText(k, r);
        EXPECT_EQ(shown.count("X"), row.stored == '0' ? 0 : 1) << shown.toStdString();
        if (row.stored != '0') {
            EXPECT_EQ(grid(k)->item(r - 1, row.stored - '0')->background().color(),
                      row.then == row.at ? QColor(0, 255, 255) : QColor(0, 255, 0));
        }
    }
    // Deep in a grid the current row stays in view.
    key(Qt::Key_Tab);
    EXPECT_EQ(focusName(), "cmdMenuChoice0");
}

TEST_F(NewEntryWindowTest, RowsStayInViewAndAMessageBoxChangesNothing) {
    openWindow();
    reach(25);
    const QRect cell = grid(0)->visualItemRect(grid(0)->item(24, 0));
    EXPECT_TRUE(grid(0)->viewport()->rect().contains(cell)) << cell.y();
    key(Qt::Key_1);
    {
        QDialog box;
        box.show();
        box.activateWindow();
        QTest::qWait(20);
    }
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::qWait(20);
    EXPECT_EQ(grid(0)->rowCount(), 29);
    EXPECT_EQ(rowText(0, 25), "25.|X||");
}

TEST_F(NewEntryWindowTest, SaveWritesTheRecordAndReopeningShowsEveryAnswer) {
    QString keyed;
    for (int i = 1; i <= 100; ++i)
        keyed += QString::number(i <= 29 ? i % 3 : i % 5);
    openWindow();
    type(keyed);
    // A write fault given up keeps the keyed answers in the window; the next Save stores them.
    {
        dvq3test::DriveFaults faults;
        faults.fail(DriveOp::Write, EIO, "DATA401", 1);
        messages.answer(vbCancel);
        QTest::keyClick(Child<QWidget>(window.get(), "cmdMenuChoice0"), Qt::Key_Return);
    }
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(onDisk(), dvq3test::Client("Ann Lee").toBytes());
    EXPECT_EQ(session.disk.NumClients(), 1);
    QTest::keyClick(Child<QWidget>(window.get(), "cmdMenuChoice0"), Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(session.disk.NumClients(), 2);
    ClientRecord record = NewClient();
    record.set(&ClientRecord::Responses, keyed);
    EXPECT_EQ(onDisk(), dvq3test::Client("Ann Lee").toBytes() + record.toBytes());

    session.EditExisting = true;
    openWindow();
    for (int i = 1; i <= 100; ++i) {
        const int k = SectionOfItem(i) - 1;
        const int answer = keyed[i - 1].digitValue();
        const QString shown = rowText(k, i - SectionStart[k]);
        EXPECT_EQ(shown.count("X"), answer == 0 ? 0 : 1) << i;
        if (answer != 0) {
            EXPECT_EQ(grid(k)->item(i - SectionStart[k] - 1, answer)->text(), "X") << i;
        }
    }
    // Saving an existing client writes it in place and counts nobody new.
    QByteArray saved = onDisk();
    saved[176 + 74] = '2';
    key(Qt::Key_2);
    dvq3test::DriveFaults writes;
    QTest::keyClick(Child<QWidget>(window.get(), "cmdMenuChoice0"), Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(writes.count(DriveOp::Write), 1);
    EXPECT_EQ(onDisk(), saved);
    EXPECT_EQ(session.disk.NumClients(), 2);
}

TEST_F(NewEntryWindowTest, AFaultAtAnyFileOperationLeavesTheNewRecordAbsentOrWhole) {
    const QByteArray original = onDisk();
    for (DriveOp op : {DriveOp::Open, DriveOp::Stat, DriveOp::Read, DriveOp::Write, DriveOp::Sync,
                       DriveOp::Close}) {
        SCOPED_TRACE(int(op));
        dvq3test::TestFolder::Write(session.disk.ClientFile(), original);
        ASSERT_TRUE(session.LoadClients());
        newClient();
        openWindow();
        type("2");
        {
            dvq3test::DriveFaults faults;
            faults.fail(op, EIO, "DATA401", 1);
            messages.answer(vbCancel);
            QTest::keyClick(Child<QWidget>(window.get(), "cmdMenuChoice0"), Qt::Key_Return);
        }
        const QByteArray now = onDisk();
        EXPECT_EQ(now.left(176), original);
        ClientRecord record = NewClient();
        record.set(&ClientRecord::Responses, "2" + QString(99, u'0'));
        EXPECT_TRUE(now.size() == 176 || now.mid(176) == record.toBytes());
        // Still open when nothing was stored; counted once when the record is there.
        EXPECT_EQ(window->isVisible(), now.size() == 176);
        EXPECT_EQ(session.disk.NumClients(), now.size() / 176);
    }
}

TEST_F(NewEntryWindowTest, CancelDiscardsANewClientAndLeavesAnExistingOne) {
    struct Row {
        bool existing;
        bool emptyDisk;
        int curClient;
    };
    for (const Row row : {Row{true, false, 1}, Row{false, false, 1}, Row{false, true, 0}}) {
        if (row.emptyDisk)
            makeDisk({});
        const QByteArray before = onDisk();
        if (row.existing) {
            session.CurClient = 1;
            session.EditExisting = true;
        } else {
            newClient();
        }
        openWindow();
        key(Qt::Key_1);
        QTest::keyClick(Child<QWidget>(window.get(), "cmdMenuChoice1"), Qt::Key_Return);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(session.CurClient, row.curClient);
        EXPECT_FALSE(session.EditExisting);
        EXPECT_EQ(onDisk(), before);
        const int checked = row.existing ? 1 : session.disk.NumClients() + 1;
        EXPECT_EQ(session.disk.Clients(checked).toBytes(),
                  (row.existing ? dvq3test::Client("Ann Lee") : ClientRecord()).toBytes());
    }
}
