#include "administration/windows/frmInstallVoices.h"

#include "administration/AdminTexts.h"
#include "administration/VoiceFiles.h"
#include "platform/DriveFile.h"
#include "station/Session.h"
#include "ui/MenuButtons.h"
#include "ui/MsgBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace dvq3 {
frmInstallVoices::frmInstallVoices(Session& session, QWidget* parent)
    : StationDialog(parent), session_(session) {
    setObjectName(QStringLiteral("frmInstallVoices"));
    setWindowTitle(kInstallVoicesTitle);
    resize(640, 360);

    fraProgress = new QGroupBox(QStringLiteral("Speaking the Voice Prompts"), this);
    fraProgress->setObjectName(QStringLiteral("fraProgress"));
    auto* layout = new QVBoxLayout(fraProgress);
    lblPrompt = new QLabel(fraProgress);
    lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
    layout->addWidget(lblPrompt);
    prgVoices = new QProgressBar(fraProgress);
    prgVoices->setObjectName(QStringLiteral("prgVoices"));
    prgVoices->setTextVisible(false); // the line above counts the prompts
    layout->addWidget(prgVoices);
    msgPanel = new MsgPanel(this);
    menu = new MenuButtons(msgPanel, this);
    layout->addWidget(menu->add(fraProgress, QStringLiteral("Cancel"), kInstallVoicesHelp));
    fraProgress->setFixedSize(420, fraProgress->sizeHint().height());
    connect(menu, &MenuButtons::clicked, this, [this] { reject(); });
    // The menu button keeps every key but Enter to itself; Esc still cancels.
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this,
            &frmInstallVoices::reject);
    KeepPlaced(fraProgress, msgPanel);
}

void frmInstallVoices::Form_Activate() {
    menu->cmdMenuChoice(0)->setFocus();
    InstallVoices();
}

void frmInstallVoices::InstallVoices() {
    // Prompts already in the sound folder or in the user's own folder are heard, so both are
    // kept; new ones go into the sound folder when it can be written, else the user's.
    // The user's sound folder lies in the user's data folder, which holds client data as well:
    // that folder is made for the user alone before the voices might make it.
    if (!session_.userSndPath.isEmpty())
        (void)MakePrivateFolder(QFileInfo(session_.userSndPath).path());
    VoiceInstaller installer(session_.dbTest, {session_.SndPath, session_.userSndPath});
    installer.onProgress = [this](const QString& language, const QString& file, int done,
                                  int total) {
        prgVoices->setRange(0, total);
        prgVoices->setValue(done);
        lblPrompt->setText(
            QStringLiteral("%1: %2 (%3 of %4)").arg(language, file).arg(done + 1).arg(total));
        // Between prompts the window repaints and takes Esc; a prompt itself is short.
        QApplication::processEvents();
        return !cancelled_;
    };
    running_ = true;
    const VoiceInstall result = installer.run();
    running_ = false;
    int icon = vbInformation;
    if (result.end == VoiceInstall::End::Cancelled)
        icon = vbExclamation;
    else if (result.end != VoiceInstall::End::Done)
        icon = vbCritical;
    MsgBox(result.summary(), icon, kInstallVoicesTitle);
    QDialog::accept();
}

void frmInstallVoices::reject() {
    // Esc, "Cancel" or closing the window: a prompt being spoken is finished first.
    if (!running_) {
        QDialog::reject();
        return;
    }
    cancelled_ = true;
    msgPanel->setCaption(kStoppingVoicesHelp);
}

} // namespace dvq3
