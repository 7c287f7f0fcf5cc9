#include "ui/MsgBox.h"

#include <QApplication>
#include <QMessageBox>

namespace dvq3 {
namespace {

std::function<int(const MsgBoxCall&)>& Handler() {
    static std::function<int(const MsgBoxCall&)> handler;
    return handler;
}

std::function<void()>& BeepHandler() {
    static std::function<void()> handler;
    return handler;
}

int ShowBox(const MsgBoxCall& call) {
    QMessageBox box;
    box.setWindowTitle(call.title);
    QString text = call.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    box.setText(text);
    switch (call.icon()) {
    case vbCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    case vbQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case vbExclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case vbInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    switch (call.buttons()) {
    case vbOKCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case vbYesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case vbYesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return vbCancel;
    case QMessageBox::Yes:
        return vbYes;
    case QMessageBox::No:
        return vbNo;
    case QMessageBox::Ok:
        return vbOK;
    default: // closed by the window manager: the box's way out
        return call.buttons() == vbYesNo ? vbNo : call.buttons() == vbOKOnly ? vbOK : vbCancel;
    }
}

} // namespace

int MsgBox(const QString& text, int style, const QString& title) {
    const MsgBoxCall call{text, style, title.isEmpty() ? kAppTitle : title};
    if (Handler())
        return Handler()(call);
    return ShowBox(call);
}

void Beep() {
    if (BeepHandler())
        BeepHandler()();
    else
        QApplication::beep();
}

void SetMsgBoxHandler(std::function<int(const MsgBoxCall&)> handler) {
    Handler() = std::move(handler);
}

void SetBeepHandler(std::function<void()> handler) {
    BeepHandler() = std::move(handler);
}

} // namespace dvq3
