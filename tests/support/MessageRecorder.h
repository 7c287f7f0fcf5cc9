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
    MessageRecorder() {
        dvq3::SetMsgBoxHandler([this](const dvq3::MsgBoxCall& call) {
            boxes.append(call);
            if (onShow)
                onShow(call);
            if (!script_.isEmpty())
                return script_.takeFirst();
            const bool yesFirst =
                call.buttons() == dvq3::vbYesNo || call.buttons() == dvq3::vbYesNoCancel;
            return int(yesFirst ? dvq3::vbYes : dvq3::vbOK);
        });
        dvq3::SetBeepHandler([this] { ++beeps; });
    }
    ~MessageRecorder() {
        dvq3::SetMsgBoxHandler({});
        dvq3::SetBeepHandler({});
    }

    void answer(int reply) { script_.append(reply); }
    QList<dvq3::MsgBoxCall> boxes;
    int beeps = 0;

    QStringList texts() const {
        QStringList list;
        for (const auto& box : boxes)
            list << box.text;
        return list;
    }
    // Runs before the box is answered (e.g. to change the disk while the box is up).
    std::function<void(const dvq3::MsgBoxCall&)> onShow;

private:
    QList<int> script_;
};

} // namespace dvq3test
