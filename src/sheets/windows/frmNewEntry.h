#pragma once

#include "ui/StationDialog.h"

#include <array>
#include <vector>

class QFrame;
class QLabel;
class QTableWidget;

namespace dvq3 {

class MenuButtons;
class MsgPanel;
class Session;

// Keys a client's answers in from the paper answer sheet, or reviews answers obtained another
// way: one grid per answer format, one row per item, an "X" in a green cell marking the answer.
// A digit records the highlighted item's answer and moves to the next item. After a scan, the
// rows of doubtful marks are amber until their answer is keyed, or confirmed with Enter.
class frmNewEntry : public StationDialog {
    Q_OBJECT
public:
    explicit frmNewEntry(Session& session, QWidget* parent = nullptr);

    // Makes cell (RowNum, ColNum) of grd current and hands the colour pair to picGridColor, which
    // paints that cell; row 0 is the grid's header.
    void SetGridCellColor(QTableWidget* grd, int RowNum, int ColNum, const QColor& BkClr,
                          const QColor& FrClr);

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Activate() override;
    void placeFrames() override;
    void AddSectionGrid(int format, bool useFirst);
    void AddItemRow(int format, int item);
    int FindGridByFormat(int format) const;
    void LoadGrids();
    int GetRowAnswer(int k, int row) const;
    void ShowRowAnswer(int k, int row, int answer);
    bool RowDoubtful(int k, int row) const;
    QColor RowColour(int k, int row) const;
    void ClearRow(int k, int row);
    void HighlightCurrentRow(int k);
    void RestoreRow(int k);
    void MoveDown(int k, bool advance);
    void ScrollRowIntoView(int k);
    bool GridKeyPress(int k, const QKeyEvent* key);
    void Confirm(int k, int row);
    void ShowHelpLine(int k);
    void cmdMenuChoice_Click(int index);
    void Save();
    void Cancel();

    // Rows are counted as on the sheet's grid: row 0 is the header, row r holds one item.
    int CurrentRow(int k) const;
    void SetCurrentRow(int k, int row);
    int RowCount(int k) const; // the header included
    int Format(int k) const;
    int ItemOfRow(int k, int row) const;
    int GridIndex(const QObject* watched) const;

    Session& session_;
    QLabel* lblClientName;
    QFrame* frEntry;
    QLabel* picGridColor;
    std::vector<QTableWidget*> grdResponses;
    std::vector<QLabel*> lblSection;
    MsgPanel* msgPanel;
    MenuButtons* menu;

    std::array<QChar, 101> Answers{};
    std::array<bool, 101> Doubtful{}; // by item - 1, from the scan
    std::vector<int> GridRow;
    std::vector<int> GridCol;
    int LastGrid = 0;
    bool FirstGridUsed = false;
    bool Loading = true;
    int ActiveGrid = 0;
    bool movingDown_ = false;
};

} // namespace dvq3
