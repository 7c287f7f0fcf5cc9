#include "records/windows/SecretCode.h"

#include "records/RecordsMessages.h"
#include "records/windows/frmMyInputBox.h"
#include "ui/MsgBox.h"

namespace dvq3 {

bool GetSecretCode(QWidget* parent) {
    for (;;) {
        frmMyInputBox box(parent);
        box.setInputLength(8);
        box.setHelpMessage(kSecretCodeHelp);
        box.setWindowTitle(kSecretCodeCaption);
        box.setPasswordInput(true);
        box.setCancelHidden(true);
        box.exec();
        if (box.Cancelled())
            return false;
        if (box.InputValue().toUpper() == QChar::fromLatin1(kSecretCode))
            return true;
        MsgBox(kWrongCodeText, vbCritical, kWrongCodeTitle);
    }
}

} // namespace dvq3
