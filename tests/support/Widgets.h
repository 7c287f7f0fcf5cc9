#pragma once

#include <QObject>
#include <QString>

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

} // namespace dvq3test
