#include "ui/SelectAllOnFocus.h"

#include "ui/WindowRoutines.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace dvq3 {

SelectAllOnFocus::SelectAllOnFocus(QWidget* field) : QObject(field), field_(field) {
    field->installEventFilter(this);
}

bool SelectAllOnFocus::eventFilter(QObject* watched, QEvent* event) {
    // Whatever brought the focus here: a window given the keyboard back (a message box closed)
    // sends it with its own reason, and is the case that matters most. The selection is made
    // once the focus change (and a click's cursor placement) is done.
    if (watched == field_ && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, this, [this] {
            if (QApplication::focusWidget() == field_)
                SelectAllText();
        });
    return false;
}

} // namespace dvq3
