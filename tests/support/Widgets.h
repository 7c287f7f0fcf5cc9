#pragma once

#include <QDialog>
#include <QObject>
#include <QString>
#include <QTest>

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

// Shows another window over a window and gives the keyboard back to it, as a message box does.
inline void CoverAndReturn(QWidget* window) {
    {
        QDialog box;
        box.show();
        box.activateWindow();
        QTest::qWait(20);
    }
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::qWait(20);
}

} // namespace dvq3test
