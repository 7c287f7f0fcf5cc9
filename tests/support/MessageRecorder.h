#pragma once

#include "QtPrinters.h"
#include "ui/MsgBox.h"

#include <QList>
#include <QString>

namespace dvq3test {

// Stands in for the message boxes while it lives: keeps every box shown, answers from a script
// (vbOK, vbYes...; the box's first button when the script is empty) and counts beeps.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();

    void answer(int reply) { script_.append(reply); }
    QList<dvq3::MsgBoxCall> boxes;
    int beeps = 0;

    QStringList texts() const;
    // Runs before the box is answered (e.g. to change the disk while the box is up).
    std::function<void(const dvq3::MsgBoxCall&)> onShow;

private:
    QList<int> script_;
};

} // namespace dvq3test
