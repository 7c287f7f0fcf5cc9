#include "ui/WindowRoutines.h"

#include "ui/MenuButtons.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace dvq3 {

void CenterForm(QWidget* form) {
    const QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    form->move(area.x() + area.width() / 2 - form->frameGeometry().width() / 2,
               area.y() + area.height() / 2 - form->frameGeometry().height() / 2);
}

void CenterFrame(QWidget* form, QWidget* frame) {
    const int left = form->width() / 2 - frame->width() / 2;
    const int top = form->height() / 2 - (frame->height() + TwipsToPixels(1000)) / 2;
    frame->move(std::max(0, left), std::max(0, top));
}

void SetWaitPointer() {
    if (!QApplication::overrideCursor())
        QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
}

void SetDefaultPointer() {
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    QCoreApplication::processEvents();
}

void SelectAllText() {
    QWidget* focused = QApplication::focusWidget();
    if (auto* edit = qobject_cast<QLineEdit*>(focused))
        edit->selectAll();
    else if (auto* combo = qobject_cast<QComboBox*>(focused); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
}

void ResetMenuChoices(MenuButtons& menu, int count) {
    for (int i = 0; i <= count; ++i)
        menu.paint(i, false);
}

void HighlightMenuChoice(MenuButtons& menu, int count, int index) {
    ResetMenuChoices(menu, count);
    menu.paint(index, true);
}

} // namespace dvq3
