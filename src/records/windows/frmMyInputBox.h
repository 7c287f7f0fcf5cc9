#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace dvq3 {

class MenuButtons;
class MsgPanel;

// A modal prompt for one line of text or a password shown as asterisks. The caller sets the
// properties and the caption, runs exec(), then reads Cancelled() and InputValue().
class frmMyInputBox : public QDialog {
    Q_OBJECT
public:
    explicit frmMyInputBox(QWidget* parent = nullptr);

    bool PasswordInput() const { return passwordInput_; }
    void setPasswordInput(bool on) { passwordInput_ = on; }
    QString InputValue() const { return inputValue_; }
    int InputLength() const { return inputLength_; }
    void setInputLength(int length) { inputLength_ = length; }
    QString HelpMessage() const { return helpMessage_; }
    void setHelpMessage(const QString& text) { helpMessage_ = text; }
    bool Cancelled() const { return cancelled_; }
    // Hides "Cancel Input": the box then closes only with an answer.
    void setCancelHidden(bool hidden);

    int exec() override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cmdMenuChoice_Click(int index);

    QLineEdit* txtInput;
    QLabel* lblHelpMsg;
    MsgPanel* msgPanel;
    MenuButtons* menu;

    bool passwordInput_ = false;
    QString inputValue_;
    int inputLength_ = 32767;
    QString helpMessage_;
    bool cancelled_ = false;
    bool cancelHidden_ = false;
};

} // namespace dvq3
