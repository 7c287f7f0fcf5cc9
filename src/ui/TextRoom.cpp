#include "ui/TextRoom.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace dvq3 {

void KeepRoomForBold(QLabel* label) {
    const QFont shown = label->font();
    QFont bold = shown;
    bold.setBold(true);
    label->setFont(bold);
    const int width = label->sizeHint().width();
    label->setFont(shown);
    label->setMinimumWidth(std::max(width, label->minimumWidth()));
}

void KeepRoomForFocus(QPushButton* button) {
    // The style sizes the button as it draws it with the focus, around the text in bold.
    QStyleOptionButton option;
    option.initFrom(button);
    option.state |= QStyle::State_HasFocus;
    option.text = button->text();
    QFont bold = button->font();
    bold.setBold(true);
    const QSize text = QFontMetrics(bold).size(Qt::TextShowMnemonic, button->text());
    const QSize focused =
        button->style()->sizeFromContents(QStyle::CT_PushButton, &option, text, button);
    button->setMinimumSize(focused.expandedTo(button->minimumSize()));
}

} // namespace dvq3
