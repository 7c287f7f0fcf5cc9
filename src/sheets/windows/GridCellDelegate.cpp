#include "sheets/windows/GridCellDelegate.h"

namespace dvq3 {

void GridCellDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->state &= ~QStyle::State_HasFocus;
}

} // namespace dvq3
