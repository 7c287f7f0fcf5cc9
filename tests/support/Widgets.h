#pragma once

#include <QDialog>
#include <QObject>
#include <QString>
#include <QTest>

#include <memory>

#include <gtest/gtest.h>

namespace dvq3test {

// The widget of a window by its control name, as a user-facing test reaches it. A missing
// control fails the test at once rather than crashing it.
template <class T> T* Child(const QObject* window, const QString& name) {
    T* child = window->findChild<T*>(name);
    if (!child)
        ADD_FAILURE() << "no control " << name.toStdString();
    return child;
}

// Shows a window and waits for it to have the keyboard.
inline void ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

// A message box as the station meets one without a window manager: take() shows it and gives it
// the keyboard; handBack() lets the window finish its own handling of the answer first, then
// closes the box and gives the keyboard back to the window.
struct BoxTakesKeyboard {
    std::unique_ptr<QDialog> box;
    void take() {
        box = std::make_unique<QDialog>();
        ShowActive(box.get());
    }
    void handBack(QWidget* window) {
        QTest::qWait(20);
        box.reset();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::qWait(20);
    }
};

// Shows another window over a window and gives the keyboard back to it, as a message box does.
inline void CoverAndReturn(QWidget* window) {
    BoxTakesKeyboard box;
    box.take();
    box.handBack(window);
}

} // namespace dvq3test
