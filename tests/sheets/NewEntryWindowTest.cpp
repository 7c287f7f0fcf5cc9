// The keyed-entry grid: one grid per section, the keys each format takes, Save and Cancel.
#include "AdminFixture.h"
#include "OnScreen.h"
#include "sheets/windows/frmNewEntry.h"
#include "station/Questionnaire.h"

#include <cerrno>

using namespace dvq3;

namespace {

struct NewEntryWindowTest : dvq3test::AdminFixture {
    void openWindow() { show<frmNewEntry>(); }
    QTableWidget* grid(int k) const {
        return w<QTableWidget>(qPrintable(QString("grdResponses%1").arg(k)));
    }
    // The grid with the focus and the item of its current row.
    int grid() const {
        return focused().startsWith("grdResponses") ? focused().mid(12).toInt() : -1;
    }
    int item() const {
        const QTableWidget* g = grid(grid());
        return g->item(g->currentRow(), 0)->text().chopped(1).toInt();
    }
    // Down arrows to item n from item 1.
    void reach(int n) {
        while (item() < n)
            key(Qt::Key_Down);
    }
    // Item n's cell: column 0 holds "n.", column a its answer a.
    QTableWidgetItem* cell(int n, int a) const {
        const int k = SectionOfItem(n) - 1;
        return grid(k)->item(n - SectionStart[k] - 1, a);
    }
    // Item n's row as shown, "n.|X||" for an answer of 1 in section 1; and as it should show
    // answer a (0: none).
    QString rowText(int n) const {
        QString text;
        for (int c = 0; c < (n <= 29 ? 3 : 5); ++c)
            text += cell(n, c)->text() + u'|';
        return text;
    }
    static QString Marked(int n, int a) {
        QString text = QString::number(n) + ".|";
        for (int c = 1; c < (n <= 29 ? 3 : 5); ++c)
            text += QString(c == a ? "X|" : "|");
        return text;
    }
};

} // namespace

TEST_F(NewEntryWindowTest, OpensOnItemOneAndAMessageBoxChangesNothing) {
    openWindow();
    EXPECT_EQ(text("lblClientName"), QString("New One").leftJustified(25));
    EXPECT_FALSE(w("sspMenuChoice2")->isVisible());
    key(Qt::Key_1);
    dvq3test::CoverAndReturn(window.get());
    EXPECT_EQ(std::pair(rowText(1), item()), std::pair(QString("1.|X||"), 2));
    EXPECT_EQ(focused(), "grdResponses0");
}

// Each kind of cell as it reaches the screen, its colour and its text's, while its grid has the
// focus (the current row highlighted) and after the focus has left it.
TEST_F(NewEntryWindowTest, CellsShowTheirColoursWithAndWithoutTheFocus) {
    session.CurrentClient().set(&ClientRecord::Responses, "12" + QString(98, u'0'));
    openWindow();
    // The item (0: the header), the column, and how the cell looks with the focus and without.
    const std::tuple<int, int, const char*, const char*> cells[] = {
        {0, 0, "button-face/black", "button-face/black"}, // "Num"
        {0, 2, "button-face/black", "button-face/black"},
        {1, 0, "white/navy", "white/navy"},  // the current item's number
        {1, 1, "cyan/black", "green/black"}, // its answer marked
        {1, 2, "cyan/cyan", "white/white"},
        {2, 0, "white/navy", "white/navy"},
        {2, 1, "white/white", "white/white"},
        {2, 2, "green/black", "green/black"},
    };
    for (const bool focused : {true, false}) {
        if (!focused)
            w("cmdMenuChoice0")->setFocus();
        const dvq3test::OnScreen shown(window.get());
        const QHeaderView* header = grid(0)->horizontalHeader();
        for (const auto& [item, column, withFocus, without] : cells) {
            SCOPED_TRACE(testing::Message() << "item " << item << " column " << column);
            const QRect area = item == 0 ? QRect(header->sectionViewportPosition(column), 0,
                                                 header->sectionSize(column), header->height())
                                         : grid(0)->visualItemRect(cell(item, column));
            EXPECT_EQ(shown.looks(item == 0 ? header->viewport() : grid(0)->viewport(),
                                  area.adjusted(1, 1, -1, -1)),
                      focused ? withFocus : without);
        }
    }
}

TEST_F(NewEntryWindowTest, KeysPerFormatAndMovesAcrossGrids) {
    openWindow();
    // The item the key is pressed on, the key, beeps; afterwards the current item, the grid with
    // the focus and the answer stored for the item.
    const std::tuple<int, Qt::Key, int, int, int, int> rows[] = {
        {1, Qt::Key_Up, 1, 1, 0, 0},          {1, Qt::Key_3, 1, 1, 0, 0},
        {1, Qt::Key_5, 1, 1, 0, 0},           {1, Qt::Key_2, 0, 2, 0, 2},
        {29, Qt::Key_1, 0, 30, 1, 1},         {30, Qt::Key_5, 1, 30, 1, 0},
        {30, Qt::Key_Up, 0, 29, 0, 0},        {29, Qt::Key_Down, 0, 30, 1, 1},
        {55, Qt::Key_5, 1, 55, 2, 0},         {78, Qt::Key_5, 1, 78, 3, 0},
        {94, Qt::Key_5, 1, 94, 4, 0},         {94, Qt::Key_4, 0, 95, 4, 4},
        {95, Qt::Key_Backspace, 0, 95, 4, 0}, {100, Qt::Key_2, 1, 100, 4, 2},
        {100, Qt::Key_Down, 1, 100, 4, 2},    {100, Qt::Key_Left, 0, 100, 4, 2},
    };
    for (const auto& [at, pressed, beeps, then, focusGrid, stored] : rows) {
        SCOPED_TRACE(testing::Message() << at << " key " << pressed);
        reach(at);
        ASSERT_EQ(item(), at);
        const int before = messages.beeps;
        key(pressed);
        EXPECT_EQ(
            std::tuple(messages.beeps - before, item(), grid(), text("MsgPanel"), rowText(at)),
            std::tuple(beeps, then, focusGrid, FormatHelpLine(SectionFormat(focusGrid + 1)),
                       Marked(at, stored)));
    }
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), "cmdMenuChoice0");
}

// A grid shows 17 items. The current item out of view below brings the last 17 rows into view
// at once; out of view above, it becomes the row under the top.
TEST_F(NewEntryWindowTest, AnItemOutOfViewScrollsTheGridByTheStationsRule) {
    openWindow();
    // Keys pressed in section 1, then the current item and the items shown first and last.
    const std::tuple<const char*, int, int, int> rows[] = {
        {"", 1, 1, 17},    {"1111111111111111", 17, 1, 17}, {"1", 18, 13, 29},
        {"1", 19, 13, 29}, {"uuuuuu", 13, 13, 29},          {"u", 12, 11, 27},
    };
    const QTableWidget* g = grid(0);
    const auto itemAt = [g](int y) { return g->item(g->rowAt(y), 0)->text().chopped(1).toInt(); };
    for (const auto& [pressed, current, first, last] : rows) {
        SCOPED_TRACE(pressed);
        QString(pressed).startsWith(u'u') ? keys(pressed) : type(pressed);
        EXPECT_EQ(std::tuple(item(), itemAt(0), itemAt(g->viewport()->height() - 1)),
                  std::tuple(current, first, last));
    }
}

TEST_F(NewEntryWindowTest, SaveWritesTheRecordAndReopeningShowsEveryAnswer) {
    QString keyed;
    for (int i = 1; i <= 100; ++i)
        keyed += QString::number(i <= 29 ? i % 3 : i % 5);
    openWindow();
    type(keyed);
    press("cmdMenuChoice0");
    ClientRecord record = NewClient();
    record.set(&ClientRecord::Responses, keyed);
    EXPECT_EQ(std::tuple(window->isVisible(), session.disk.NumClients(), onDisk()),
              std::tuple(false, 2, dvq3test::Client("Ann Lee").toBytes() + record.toBytes()));

    session.EditExisting = true;
    openWindow();
    for (int i = 1; i <= 100; ++i)
        EXPECT_EQ(rowText(i), Marked(i, keyed[i - 1].digitValue()));
    // Saving an existing client writes it in place and counts nobody new.
    QByteArray saved = onDisk();
    saved[176 + 74] = '2';
    key(Qt::Key_2);
    press("cmdMenuChoice0");
    EXPECT_EQ(std::tuple(window->isVisible(), session.disk.NumClients(), onDisk()),
              std::tuple(false, 2, saved));
}

TEST_F(NewEntryWindowTest, AFaultAtAnyFileOperationLeavesTheNewRecordAbsentOrWholeUntilSaved) {
    const QByteArray original = onDisk();
    ClientRecord record = NewClient();
    record.set(&ClientRecord::Responses, "2" + QString(99, u'0'));
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
            press("cmdMenuChoice0");
        }
        const QByteArray now = onDisk(), whole = original + record.toBytes();
        EXPECT_TRUE(now == original || now == whole);
        // Still open, the answers kept, when nothing was stored; counted once when it is there.
        EXPECT_EQ(std::tuple(window->isVisible(), session.disk.NumClients()),
                  std::tuple(now == original, now.size() / 176));
        if (window->isVisible()) // the next Save stores the keyed answers
            press("cmdMenuChoice0");
        EXPECT_EQ(std::tuple(onDisk(), session.disk.NumClients()), std::tuple(whole, 2));
    }
}

TEST_F(NewEntryWindowTest, CancelDiscardsANewClientAndLeavesAnExistingOne) {
    // An existing client, a new one, a new one on an empty disk.
    for (const auto& [existing, curClient] : {std::pair(true, 1), {false, 1}, {false, 0}}) {
        if (curClient == 0)
            makeDisk({});
        const QByteArray before = onDisk();
        newClient();
        session.CurClient = existing ? 1 : session.CurClient;
        session.EditExisting = existing;
        openWindow();
        key(Qt::Key_1);
        press("cmdMenuChoice1");
        EXPECT_EQ(
            std::tuple(window->isVisible(), session.CurClient, session.EditExisting, onDisk()),
            std::tuple(false, curClient, false, before));
        const int checked = existing ? 1 : session.disk.NumClients() + 1;
        EXPECT_EQ(session.disk.Clients(checked).toBytes(),
                  (existing ? dvq3test::Client("Ann Lee") : ClientRecord()).toBytes());
    }
}

// After a scan, the rows of doubtful items are amber on screen (the chosen answer's cell stays
// green) until a digit keys the item or Enter confirms its answer; passing by leaves them amber.
TEST_F(NewEntryWindowTest, DoubtfulScannedItemsStayAmberUntilKeyedOrConfirmed) {
    session.CurrentClient().set(&ClientRecord::Responses, "12" + QString(98, u'0'));
    session.FromScan = true;
    session.DoubtfulItems = {2, 4, 30};
    openWindow();
    const QColor amber(255, 192, 0), green(0, 255, 0), cyan(0, 255, 255), white(Qt::white);
    const QString confirm = ", Enter=Confirm scanned answer";
    const QLabel* panel = w<QLabel>("MsgPanel");
    EXPECT_EQ(text("MsgPanel"), FormatHelpLine(0) + confirm);
    EXPECT_LE(panel->fontMetrics().horizontalAdvance(FormatHelpLine(3) + confirm),
              panel->contentsRect().width());
    // Item, column: the colour drawn inside the cell after each step.
    const auto expect = [this](std::vector<std::tuple<int, int, QColor>> cells) {
        for (const auto& [n, c, expected] : cells) {
            QTableWidget* g = grid(SectionOfItem(n) - 1);
            const QPoint inside = g->visualItemRect(cell(n, c)).topLeft() + QPoint(2, 2);
            EXPECT_EQ(QColor(g->viewport()->grab().toImage().pixel(inside)), expected)
                << n << "," << c;
        }
    };
    expect({{1, 1, cyan}, {2, 0, amber}, {2, 1, amber}, {2, 2, green}, {3, 1, white}});
    const int beeps = messages.beeps;
    keys("ede"); // Enter on item 1 only beeps; on item 2 it confirms the answer
    EXPECT_EQ(std::pair(item(), messages.beeps - beeps), std::pair(3, 1));
    expect({{2, 0, white}, {2, 1, white}, {2, 2, green}});
    keys("dd"); // past item 4
    expect({{4, 0, amber}, {4, 1, amber}});
    keys("u");
    type("1");
    expect({{4, 0, white}, {4, 1, green}, {4, 2, white}, {30, 1, amber}});
    reach(30);
    keys("e");
    EXPECT_EQ(text("MsgPanel"), FormatHelpLine(1)); // nothing left to confirm
    expect({{30, 1, white}});
    press("cmdMenuChoice0");
    EXPECT_EQ(session.disk.Clients(2).Responses, "1201" + QString(96, u'0'));
}
