#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace dvq3 {

// Keeps the keyboard at home on a display without a window manager (a kiosk session), where
// nothing gives a new window the input focus and a closed dialog leaves it on the root window:
// every window the station shows is made the active one once it is on screen, and when a window
// closes, the window still waiting (the topmost modal one, else the main window) becomes active
// again with the focus on the control that had it.
class KeyboardHome : public QObject {
public:
    // Watches every window of the application; mainWindow is the one to return to last.
    explicit KeyboardHome(QWidget* mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Asks the window system to make window active, a few times while it comes on screen.
    void Activate(QWidget* window, int attempts);
    void ReturnHome();

    QPointer<QWidget> mainWindow_;
};

} // namespace dvq3
