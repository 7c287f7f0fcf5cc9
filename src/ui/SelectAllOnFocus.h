#pragma once

#include <QObject>

class QWidget;

namespace dvq3 {

// Makes a data field select its whole text every time it gets the focus, so that typing
// replaces the old value: after Tab or a click, and after a message box or another window hands
// the keyboard back to it. It lives as the field's child; make it before the window filters the
// field's events, or the window's filter sees the child arrive while the window is half built.
class SelectAllOnFocus : public QObject {
public:
    explicit SelectAllOnFocus(QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* field_;
};

} // namespace dvq3
