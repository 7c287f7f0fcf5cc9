#include "ui/KeyboardHome.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace dvq3 {
namespace {

constexpr int kAttempts = 20;
constexpr int kAttemptInterval = 50; // ms

} // namespace

KeyboardHome::KeyboardHome(QWidget* mainWindow) : QObject(mainWindow), mainWindow_(mainWindow) {
    qApp->installEventFilter(this);
}

bool KeyboardHome::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
        return false;
    auto* window = qobject_cast<QWidget*>(watched);
    if (!window || !window->isWindow() || window->inherits("QMenu") ||
        (window->windowType() == Qt::Popup) || (window->windowType() == Qt::ToolTip))
        return false;
    if (event->type() == QEvent::Show)
        Activate(window, kAttempts);
    else
        QTimer::singleShot(0, this, &KeyboardHome::ReturnHome);
    return false;
}

void KeyboardHome::Activate(QWidget* window, int attempts) {
    QPointer<QWidget> target(window);
    QTimer::singleShot(
        attempts == kAttempts ? 0 : kAttemptInterval, this, [this, target, attempts] {
            if (!target || !target->isVisible() || target->isActiveWindow())
                return;
            // A modal window above it keeps the keyboard.
            if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != target)
                return;
            target->activateWindow();
            if (QWidget* focus = target->focusWidget())
                focus->setFocus(Qt::ActiveWindowFocusReason);
            if (attempts > 1)
                Activate(target, attempts - 1);
        });
}

void KeyboardHome::ReturnHome() {
    QWidget* home = QApplication::activeModalWidget();
    if (!home)
        home = mainWindow_;
    if (home && home->isVisible())
        Activate(home, kAttempts);
}

} // namespace dvq3
