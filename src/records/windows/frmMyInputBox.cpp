#include "records/windows/frmMyInputBox.h"

#include "records/RecordsMessages.h"
#include "ui/MenuButtons.h"
#include "ui/MsgBox.h"
#include "ui/SelectAllOnFocus.h"
#include "ui/WindowRoutines.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace dvq3 {
namespace {
enum Choice { Confirm = 0, Cancel = 1 };
} // namespace

frmMyInputBox::frmMyInputBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmMyInputBox"));
    lblHelpMsg = new QLabel(this);
    lblHelpMsg->setObjectName(QStringLiteral("lblHelpMsg"));
    lblHelpMsg->setWordWrap(true);
    txtInput = new QLineEdit(this);
    txtInput->setObjectName(QStringLiteral("txtInput"));
    // A password shows an asterisk for each character, as the prompts tell the user, not the
    // style's dot. The field is polished first: under the station's style sheet a sheet given to
    // an unpolished field never reaches its password character.
    txtInput->ensurePolished();
    txtInput->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    new SelectAllOnFocus(txtInput);
    txtInput->installEventFilter(this);
    msgPanel = new MsgPanel(this);
    menu = new MenuButtons(msgPanel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblHelpMsg);
    layout->addWidget(txtInput);
    layout->addWidget(menu->add(this, QStringLiteral("Information OK"), QString()));
    layout->addWidget(menu->add(this, QStringLiteral("Cancel Input"), QString()));
    layout->addWidget(msgPanel);
    connect(menu, &MenuButtons::clicked, this, &frmMyInputBox::cmdMenuChoice_Click);
    resize(420, 240);
}

void frmMyInputBox::setCancelHidden(bool hidden) {
    cancelHidden_ = hidden;
    menu->sspMenuChoice(Cancel)->setHidden(hidden);
}

int frmMyInputBox::exec() {
    // Every opening starts with nothing confirmed and nothing cancelled.
    cancelled_ = false;
    inputValue_.clear();
    txtInput->clear();
    txtInput->setMaxLength(inputLength_);
    lblHelpMsg->setText(helpMessage_);
    txtInput->setEchoMode(passwordInput_ ? QLineEdit::Password : QLineEdit::Normal);
    if (!isMaximized())
        CenterForm(this);
    txtInput->setFocus();
    const int result = QDialog::exec();
    passwordInput_ = false;
    return result;
}

void frmMyInputBox::cmdMenuChoice_Click(int index) {
    if (index == Confirm) {
        if (txtInput->text().isEmpty()) {
            MsgBox(txtInput->echoMode() == QLineEdit::Password ? kPasswordRequired : kDataRequired,
                   vbQuestion, kInputRequiredTitle);
            txtInput->setFocus();
            return;
        }
        inputValue_ = txtInput->text();
        accept();
    } else if (index == Cancel && !cancelHidden_) {
        cancelled_ = true;
        QDialog::reject();
    }
}

// Escape, Alt+F4 and the window manager's close are "Cancel Input", and do nothing while the
// box must be answered.
void frmMyInputBox::reject() {
    cmdMenuChoice_Click(Cancel);
}

void frmMyInputBox::closeEvent(QCloseEvent* event) {
    if (result() == QDialog::Accepted || cancelled_) {
        event->accept();
        return;
    }
    event->ignore();
    cmdMenuChoice_Click(Cancel);
}

bool frmMyInputBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtInput && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            menu->cmdMenuChoice(Confirm)->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace dvq3
