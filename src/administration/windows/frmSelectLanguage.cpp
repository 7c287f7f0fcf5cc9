#include "administration/windows/frmSelectLanguage.h"

#include "administration/AdminTexts.h"
#include "administration/QuestionTable.h"
#include "station/Session.h"
#include "ui/MenuButtons.h"
#include "ui/WindowRoutines.h"

#include <QGroupBox>
#include <QVBoxLayout>

namespace dvq3 {
namespace {
constexpr int kLanguageButtons = 3;
constexpr int kCancel = 3;
} // namespace

frmSelectLanguage::frmSelectLanguage(Session& session, QWidget* parent)
    : StationDialog(parent), session_(session) {
    setObjectName(QStringLiteral("frmSelectLanguage"));
    setWindowTitle(kSelectLanguageCaption);
    resize(640, 420);
    fraSelectMethod = new QGroupBox(kSelectLanguageFrame, this);
    fraSelectMethod->setObjectName(QStringLiteral("fraSelectMethod"));
    auto* layout = new QVBoxLayout(fraSelectMethod);
    msgPanel = new MsgPanel(this);
    menu = new MenuButtons(msgPanel, this);
    for (int i = 0; i < kLanguageButtons; ++i) {
        layout->addWidget(menu->add(fraSelectMethod, QString(), QString()));
        menu->sspMenuChoice(i)->hide();
    }
    layout->addWidget(
        menu->add(fraSelectMethod, kCancelPresentationCaption, kCancelPresentationHelp));
    fraSelectMethod->setFixedSize(320, fraSelectMethod->sizeHint().height() + 4 * 60);
    connect(menu, &MenuButtons::clicked, this, &frmSelectLanguage::cmdMenuChoice_Click);
    KeepPlaced(fraSelectMethod, msgPanel);
}

void frmSelectLanguage::Form_Activate() {
    menu->cmdMenuChoice(0)->setFocus();
}

int frmSelectLanguage::LanguageCount() {
    const QStringList languages = PresentationLanguages(session_.dbTest);
    const int count = static_cast<int>(std::min<qsizetype>(languages.size(), kLanguageButtons));
    for (int i = 0; i < count; ++i) {
        menu->cmdMenuChoice(i)->setText(languages[i]);
        menu->setHelpLine(i, kPresentInHelp + languages[i]);
        menu->sspMenuChoice(i)->show();
    }
    return count;
}

QString frmSelectLanguage::ButtonCaption(int index) const {
    return menu->cmdMenuChoice(index)->text();
}

void frmSelectLanguage::cmdMenuChoice_Click(int index) {
    if (index == kCancel) {
        reject();
        return;
    }
    language_ = ButtonCaption(index);
    session_.ContinueFlag = true;
    accept();
}

void frmSelectLanguage::reject() {
    // Escape and any other close are "Cancel Presentation".
    session_.ContinueFlag = false;
    QDialog::reject();
}

} // namespace dvq3
