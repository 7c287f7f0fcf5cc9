#include "sheets/windows/frmNewEntry.h"

#include "administration/AdminTexts.h"
#include "records/windows/RecordSave.h"
#include "sheets/windows/GridCellDelegate.h"
#include "station/Questionnaire.h"
#include "station/Session.h"
#include "ui/MenuButtons.h"
#include "ui/MsgBox.h"
#include "ui/Twips.h"
#include "ui/WindowRoutines.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>

namespace dvq3 {
namespace {

enum Choice { SaveChoice = 0, CancelChoice = 1, Hidden = 2 };

constexpr int kVisibleRows = 17;
constexpr int kRowHeight = 18;
const QColor kNavy(0, 0, 128);
const QColor kGreen(0, 255, 0);
const QColor kCyan(0, 255, 255);
// A row whose scanned mark was doubtful, until the staff member keys or confirms its answer.
const QColor kAmber(255, 192, 0);
const QString kConfirmHelp = QStringLiteral(", Enter=Confirm scanned answer");

int GridWidthTwips(int choices) {
    return choices == 2 ? 1120 : choices == 4 ? 1550 : 1750;
}

QTableWidgetItem* Cell(QTableWidget* grid, int row, int col) {
    QTableWidgetItem* item = grid->item(row - 1, col);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        grid->setItem(row - 1, col, item);
    }
    return item;
}

void Style(QTableWidget* grid, int row, int col, const QString& text, const QColor& back,
           const QColor& fore) {
    QTableWidgetItem* item = Cell(grid, row, col);
    item->setText(text);
    item->setBackground(back);
    item->setForeground(fore);
}

} // namespace

frmNewEntry::frmNewEntry(Session& session, QWidget* parent)
    : StationDialog(parent), session_(session) {
    setObjectName(QStringLiteral("frmNewEntry"));
    setWindowTitle(kNewEntryCaption);
    resize(900, 620);

    frEntry = new QFrame(this);
    frEntry->setObjectName(QStringLiteral("frEntry"));
    frEntry->setFixedSize(760, TwipsToPixels(400) + 20 + kRowHeight * kVisibleRows + 40);
    lblClientName = new QLabel(this);
    lblClientName->setObjectName(QStringLiteral("lblClientName"));
    picGridColor = new QLabel(this);
    picGridColor->setObjectName(QStringLiteral("picGridColor"));
    picGridColor->setAutoFillBackground(true);
    picGridColor->setFixedSize(8, 8);
    picGridColor->hide();

    msgPanel = new MsgPanel(this);
    menu = new MenuButtons(msgPanel, this);
    KeepPlaced(nullptr, msgPanel);
    auto* buttons = new QFrame(this);
    buttons->setObjectName(QStringLiteral("frButtons"));
    auto* row = new QHBoxLayout(buttons);
    row->addWidget(menu->add(buttons, QStringLiteral("Save"), kSaveHelp));
    row->addWidget(menu->add(buttons, QStringLiteral("Cancel"), kDiscardHelp));
    row->addWidget(menu->add(buttons, QString(), QString()));
    buttons->setFixedSize(460, buttons->sizeHint().height());
    connect(menu, &MenuButtons::clicked, this, &frmNewEntry::cmdMenuChoice_Click);

    // Grid 0 and its caption are part of the window's design; the others are made on activation.
    auto* grid = new QTableWidget(frEntry);
    grid->setObjectName(QStringLiteral("grdResponses0"));
    grid->move(TwipsToPixels(200), 30);
    grdResponses.push_back(grid);
    auto* caption = new QLabel(frEntry);
    caption->setObjectName(QStringLiteral("lblSection0"));
    lblSection.push_back(caption);

    // Form_Load.
    Loading = true;
    LastGrid = 0;
    lblClientName->setText(session_.CurrentClient().Name);
    menu->sspMenuChoice(Hidden)->setVisible(false);
}

void frmNewEntry::placeFrames() {
    QWidget* buttons = findChild<QWidget*>(QStringLiteral("frButtons"));
    frEntry->move(width() / 2 - frEntry->width() / 2,
                  std::max(40, height() / 2 - (frEntry->height() + TwipsToPixels(1000)) / 2));
    lblClientName->move(frEntry->x(), frEntry->y() - 24);
    lblClientName->adjustSize();
    buttons->move(width() / 2 - buttons->width() / 2, frEntry->geometry().bottom() + 8);
}

void frmNewEntry::Form_Activate() {
    SetWaitPointer();
    FirstGridUsed = false;
    for (int item = 1; item <= kItemCount; ++item)
        AddItemRow(SectionFormat(SectionOfItem(item)), item);
    const QString responses = session_.CurrentClient().Responses;
    for (int i = 1; i <= responses.size() && i <= kItemCount; ++i)
        Answers[i - 1] = responses[i - 1];
    Doubtful.fill(false);
    if (session_.FromScan)
        for (const int item : session_.DoubtfulItems)
            if (item >= 1 && item <= kItemCount)
                Doubtful[item - 1] = true;
    LoadGrids();
    // The block of grids is centred in the frame.
    const QTableWidget* last = grdResponses[LastGrid];
    const int blockWidth = last->x() + last->width() + TwipsToPixels(200);
    const int shift = frEntry->width() / 2 - blockWidth / 2;
    for (int k = 0; k <= LastGrid; ++k) {
        grdResponses[k]->move(grdResponses[k]->x() + shift, grdResponses[k]->y());
        lblSection[k]->move(grdResponses[k]->x(), lblSection[k]->y());
    }
    for (int k = 0; k < LastGrid; ++k)
        setTabOrder(grdResponses[k], grdResponses[k + 1]);
    setTabOrder(grdResponses[LastGrid], menu->cmdMenuChoice(SaveChoice));
    setTabOrder(menu->cmdMenuChoice(SaveChoice), menu->cmdMenuChoice(CancelChoice));
    SetCurrentRow(0, 1);
    ActiveGrid = 0;
    movingDown_ = false;
    Loading = false;
    for (int k = LastGrid; k >= 0; --k) {
        grdResponses[k]->show();
        lblSection[k]->show();
    }
    grdResponses[0]->setFocus();
    SetDefaultPointer();
}

int frmNewEntry::FindGridByFormat(int format) const {
    for (int k = 0; k <= LastGrid; ++k)
        if (grdResponses[k]->property("Tag").toString() == QString::number(format))
            return k;
    return -1;
}

void frmNewEntry::AddItemRow(int format, int item) {
    int k = FindGridByFormat(format);
    if (k < 0) {
        AddSectionGrid(format, !FirstGridUsed);
        GridRow.resize(LastGrid + 1);
        GridCol.resize(LastGrid + 1);
        FirstGridUsed = true;
        k = LastGrid;
    }
    QTableWidget* grid = grdResponses[k];
    if (grid->item(0, 0) && !grid->item(0, 0)->text().isEmpty())
        grid->setRowCount(grid->rowCount() + 1);
    const int row = RowCount(k) - 1;
    grid->setRowHeight(row - 1, kRowHeight);
    Style(grid, row, 0, QString::number(item) + u'.', Qt::white, kNavy);
    for (int c = 1; c < grid->columnCount(); ++c)
        Style(grid, row, c, QString(), Qt::white, kNavy);
}

void frmNewEntry::AddSectionGrid(int format, bool useFirst) {
    if (!useFirst) {
        ++LastGrid;
        auto* grid = new QTableWidget(frEntry);
        grid->setObjectName(QStringLiteral("grdResponses%1").arg(LastGrid));
        grdResponses.push_back(grid);
        auto* caption = new QLabel(frEntry);
        caption->setObjectName(QStringLiteral("lblSection%1").arg(LastGrid));
        lblSection.push_back(caption);
    }
    const int k = LastGrid;
    QTableWidget* grid = grdResponses[k];
    const int choices = FormatChoiceCount(format);
    grid->hide();
    grid->setFixedSize(TwipsToPixels(GridWidthTwips(choices)),
                       22 + kRowHeight * kVisibleRows + 2 * grid->frameWidth());
    grid->setColumnCount(choices + 1);
    grid->setRowCount(1); // the header and one item row
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setFixedHeight(22);
    grid->horizontalHeader()->setMinimumSectionSize(4);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // ScrollRowIntoView alone decides the top row: Qt's own scrolling to the new current cell
    // would move the view one row first, and the row would never be found out of view.
    grid->setAutoScroll(false);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setTabKeyNavigation(false);
    grid->setItemDelegate(new GridCellDelegate(grid));
    // Column widths are the sheet's own (400 and 200 twips): a small font keeps "100." whole.
    QFont font(QStringLiteral("Sans Serif"));
    font.setPointSize(7);
    grid->setFont(font);
    grid->horizontalHeader()->setFont(font);
    grid->setTextElideMode(Qt::ElideNone);
    grid->setColumnWidth(0, TwipsToPixels(400));
    QStringList headers{QStringLiteral("Num")};
    for (int c = 1; c <= choices; ++c) {
        grid->setColumnWidth(c, TwipsToPixels(200));
        headers << QString::number(c);
    }
    grid->setHorizontalHeaderLabels(headers);
    for (int c = 0; c <= choices; ++c) {
        // Under the station's style sheet a header draws in the window's font rather than its
        // own: each caption carries the small font itself, so "Num" fits its 400 twips.
        grid->horizontalHeaderItem(c)->setFont(font);
        SetGridCellColor(grid, 0, c, palette().color(QPalette::Button), Qt::black);
    }
    if (k > 0) {
        const QTableWidget* before = grdResponses[k - 1];
        grid->move(before->x() + before->width() + TwipsToPixels(200), grdResponses[0]->y());
    }
    QLabel* caption = lblSection[k];
    caption->hide();
    caption->setText(QStringLiteral("Section %1").arg(k + 1));
    caption->setFixedWidth(grid->width());
    caption->adjustSize();
    caption->move(grid->x(), grid->y() - caption->height());
    grid->setProperty("Tag", QString::number(format));
    grid->installEventFilter(this);
    connect(grid, &QTableWidget::cellClicked, this, [this, grid](int row, int) {
        const int k = GridIndex(grid);
        SetCurrentRow(k, row + 1);
        HighlightCurrentRow(k);
    });
}

void frmNewEntry::SetGridCellColor(QTableWidget* grd, int RowNum, int ColNum, const QColor& BkClr,
                                   const QColor& FrClr) {
    QPalette palette = picGridColor->palette();
    palette.setColor(QPalette::Window, BkClr);
    palette.setColor(QPalette::WindowText, FrClr);
    picGridColor->setPalette(palette);
    if (RowNum == 0) {
        QTableWidgetItem* header = grd->horizontalHeaderItem(ColNum);
        if (!header) {
            header = new QTableWidgetItem;
            grd->setHorizontalHeaderItem(ColNum, header);
        }
        header->setBackground(BkClr);
        header->setForeground(FrClr);
        return;
    }
    grd->setCurrentCell(RowNum - 1, ColNum);
    Cell(grd, RowNum, ColNum)->setBackground(BkClr);
    Cell(grd, RowNum, ColNum)->setForeground(FrClr);
}

void frmNewEntry::LoadGrids() {
    for (int k = 0; k <= LastGrid; ++k) {
        for (int row = 1; row < RowCount(k); ++row)
            if (const int answer = GetRowAnswer(k, row); answer != 0 || RowDoubtful(k, row))
                ShowRowAnswer(k, row, answer);
        SetCurrentRow(k, 1);
        GridRow[k] = 1;
        GridCol[k] = 0;
    }
}

int frmNewEntry::GetRowAnswer(int k, int row) const {
    const int item = ItemOfRow(k, row);
    if (item < 1 || item > kItemCount)
        return 0;
    return Answers[item - 1].digitValue() > 0 ? Answers[item - 1].digitValue() : 0;
}

bool frmNewEntry::RowDoubtful(int k, int row) const {
    const int item = ItemOfRow(k, row);
    return item >= 1 && item <= kItemCount && Doubtful[item - 1];
}

QColor frmNewEntry::RowColour(int k, int row) const {
    return RowDoubtful(k, row) ? kAmber : QColor(Qt::white);
}

void frmNewEntry::ClearRow(int k, int row) {
    QTableWidget* grid = grdResponses[k];
    const QColor back = RowColour(k, row);
    Style(grid, row, 0, Cell(grid, row, 0)->text(), back, kNavy);
    for (int c = 1; c < grid->columnCount(); ++c)
        Style(grid, row, c, QString(), back, kNavy);
}

void frmNewEntry::ShowRowAnswer(int k, int row, int answer) {
    ClearRow(k, row);
    if (answer > 0 && answer < grdResponses[k]->columnCount())
        Style(grdResponses[k], row, answer, QStringLiteral("X"), kGreen, Qt::black);
}

void frmNewEntry::RestoreRow(int k) {
    const int row = GridRow[k];
    if (row >= 1 && row < RowCount(k))
        ShowRowAnswer(k, row, GetRowAnswer(k, row));
}

void frmNewEntry::HighlightCurrentRow(int k) {
    const int row = CurrentRow(k);
    if (GridRow[k] != row)
        RestoreRow(k);
    QTableWidget* grid = grdResponses[k];
    Style(grid, row, 0, Cell(grid, row, 0)->text(), RowColour(k, row), kNavy);
    for (int c = 1; c < grid->columnCount(); ++c) {
        Cell(grid, row, c)->setBackground(kCyan);
        Cell(grid, row, c)->setForeground(Qt::black);
    }
    GridRow[k] = row;
    GridCol[k] = 0;
    ScrollRowIntoView(k);
}

void frmNewEntry::ScrollRowIntoView(int k) {
    QTableWidget* grid = grdResponses[k];
    const int row = CurrentRow(k);
    const int top = grid->rowViewportPosition(row - 1);
    if (top >= 0 && top + grid->rowHeight(row - 1) <= grid->viewport()->height())
        return;
    const int rows = RowCount(k);
    int topRow = row - 1;
    if (row + 16 > rows)
        topRow = rows - kVisibleRows;
    else if (row == 1)
        topRow = 1;
    grid->verticalScrollBar()->setValue(std::max(0, topRow - 1));
}

void frmNewEntry::MoveDown(int k, bool advance) {
    if (movingDown_)
        return;
    movingDown_ = true;
    const int row = CurrentRow(k);
    const int last = RowCount(k) - 1;
    if (row == last && k < LastGrid) {
        RestoreRow(k);
        SetCurrentRow(k + 1, 1);
        ActiveGrid = k + 1;
        grdResponses[k + 1]->setFocus();
    } else if (row == last && row == GridRow[k]) {
        // The last item: up one row and back, so the row is redrawn with its answer, then say
        // there is nowhere further to go.
        SetCurrentRow(k, row - 1);
        HighlightCurrentRow(k);
        QCoreApplication::processEvents();
        SetCurrentRow(k, row);
        HighlightCurrentRow(k);
        Beep();
    } else {
        if (advance && row < last)
            SetCurrentRow(k, row + 1);
        HighlightCurrentRow(k);
    }
    movingDown_ = false;
}

bool frmNewEntry::GridKeyPress(int k, const QKeyEvent* key) {
    const int row = CurrentRow(k);
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    case Qt::Key_Left:
    case Qt::Key_Right:
        return true;
    case Qt::Key_Down:
        if (row < RowCount(k) - 1) {
            SetCurrentRow(k, row + 1);
            HighlightCurrentRow(k);
        } else {
            MoveDown(k, false);
        }
        return true;
    case Qt::Key_Up:
    case Qt::Key_Backspace:
        if (row == 1 && k > 0) {
            SetCurrentRow(k - 1, RowCount(k - 1) - 1);
            ActiveGrid = k - 1;
            grdResponses[k - 1]->setFocus();
        } else if (row == 1) {
            Beep();
        } else {
            if (key->key() == Qt::Key_Up)
                SetCurrentRow(k, row - 1);
            HighlightCurrentRow(k);
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter on a doubtful row keeps its scanned answer, as keying it again would.
        if (RowDoubtful(k, row)) {
            Confirm(k, row);
            MoveDown(k, true);
        } else {
            Beep();
        }
        return true;
    default:
        break;
    }
    if (key->text().isEmpty())
        return true;
    const QChar typed = key->text().at(0);
    const int format = Format(k);
    const bool accepted = (typed >= u'0' && typed <= u'2') ||
                          ((typed == u'3' || typed == u'4') && format >= 1) ||
                          (typed == u'5' && format >= 5);
    if (!accepted) {
        Beep();
        return true;
    }
    Answers[ItemOfRow(k, row) - 1] = typed;
    Confirm(k, row);
    MoveDown(k, true);
    return true;
}

void frmNewEntry::Confirm(int k, int row) {
    if (RowDoubtful(k, row))
        Doubtful[ItemOfRow(k, row) - 1] = false;
    ShowHelpLine(k);
}

void frmNewEntry::ShowHelpLine(int k) {
    const bool doubts = std::find(Doubtful.begin(), Doubtful.end(), true) != Doubtful.end();
    msgPanel->setCaption(FormatHelpLine(Format(k)) + (doubts ? kConfirmHelp : QString()));
}

int frmNewEntry::GridIndex(const QObject* watched) const {
    for (int k = 0; k <= LastGrid && k < static_cast<int>(grdResponses.size()); ++k)
        if (grdResponses[k] == watched)
            return k;
    return -1;
}

bool frmNewEntry::eventFilter(QObject* watched, QEvent* event) {
    const int k = GridIndex(watched);
    if (k < 0 || Loading)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return GridKeyPress(k, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
        ShowHelpLine(k);
        HighlightCurrentRow(k);
        return false;
    case QEvent::FocusOut:
        GridRow[k] = CurrentRow(k);
        GridCol[k] = 0;
        RestoreRow(k);
        return false;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

int frmNewEntry::CurrentRow(int k) const {
    return std::max(0, grdResponses[k]->currentRow()) + 1;
}

void frmNewEntry::SetCurrentRow(int k, int row) {
    grdResponses[k]->setCurrentCell(row - 1, 0);
}

int frmNewEntry::RowCount(int k) const {
    return grdResponses[k]->rowCount() + 1;
}

int frmNewEntry::Format(int k) const {
    return grdResponses[k]->property("Tag").toInt();
}

int frmNewEntry::ItemOfRow(int k, int row) const {
    const QTableWidgetItem* number = grdResponses[k]->item(row - 1, 0);
    return number ? number->text().chopped(1).toInt() : 0;
}

void frmNewEntry::cmdMenuChoice_Click(int index) {
    if (index == SaveChoice)
        Save();
    else if (index == CancelChoice)
        Cancel();
}

void frmNewEntry::Save() {
    QString responses;
    for (int i = 0; i < kItemCount; ++i)
        responses += Answers[i].isNull() ? QChar(u'0') : Answers[i];
    ClientRecord& record = session_.CurrentClient();
    const ClientRecord before = record;
    const bool newClient =
        !session_.EditExisting && session_.CurClient == session_.disk.NumClients() + 1;
    record.set(&ClientRecord::Responses, responses);
    // A save given up leaves the keyed answers here, to be saved again.
    if (!SaveRecord(session_, session_.CurClient, before))
        return;
    if (newClient)
        session_.disk.CommitNewClient();
    session_.EditExisting = false;
    session_.ContinueFlag = true;
    QDialog::accept();
}

void frmNewEntry::Cancel() {
    if (!session_.EditExisting) {
        session_.ClearClient();
        session_.CurClient = session_.disk.NumClients() > 0 ? 1 : 0;
    }
    session_.EditExisting = false;
    session_.ContinueFlag = false;
    QDialog::reject();
}

void frmNewEntry::reject() {
    // Escape and any other close are "Cancel".
    Cancel();
}

} // namespace dvq3
