#include "MessageRecorder.h"

namespace dvq3test {

MessageRecorder::MessageRecorder() {
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

MessageRecorder::~MessageRecorder() {
    dvq3::SetMsgBoxHandler({});
    dvq3::SetBeepHandler({});
}

QStringList MessageRecorder::texts() const {
    QStringList list;
    for (const auto& box : boxes)
        list << box.text;
    return list;
}

} // namespace dvq3test
