#pragma once

#include <QString>

#include <functional>

namespace dvq3 {

// The buttons, icons and answers of the station's message boxes (the values of the original
// Windows message box, so that a box is described by one number).
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};
enum MsgBoxAnswer : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

// The title of a box shown without one.
inline const QString kAppTitle = QStringLiteral("Corvalent-III");

struct MsgBoxCall {
    QString text;  // as given: lines broken with CR
    int style = 0; // buttons + icon
    QString title;

    int buttons() const { return style & 0x0F; }
    int icon() const { return style & 0x70; }
};

// Shows a modal message box and returns the answer. Every window shows its messages here.
int MsgBox(const QString& text, int style = vbOKOnly, const QString& title = {});
// The station's warning sound for a refused key.
void Beep();

// Test seams: a handler that answers instead of a window, and one that counts beeps.
void SetMsgBoxHandler(std::function<int(const MsgBoxCall&)> handler);
void SetBeepHandler(std::function<void()> handler);

} // namespace dvq3
