#pragma once

#include <QStyledItemDelegate>

namespace dvq3 {

// Draws a cell of the keyed entry grid in the cell's own colours only. The style would tint the
// current cell of a focused grid with its focus mark; in this grid the highlighted row alone shows
// where the next key goes.
class GridCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace dvq3
