#include "shell/frmDriveSelect.h"

#include "platform/FileDialogs.h"
#include "platform/MsgBox.h"

#include <QHBoxLayout>
#include <QStorageInfo>
#include <QVBoxLayout>

namespace dvq3 {
namespace {

const QString kBrowse = QStringLiteral("Browse...");

bool IsRemovable(const QString& root) {
    for (const char* prefix : {"/media/", "/run/media/", "/mnt/"})
        if (root.startsWith(QLatin1String(prefix)) || root == QLatin1String(prefix).chopped(1))
            return true;
    return false;
}

} // namespace

QStringList frmDriveSelect::AvailableDrives() {
    QStringList removable;
    QStringList others;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = volume.rootPath();
        (IsRemovable(root) ? removable : others).append(root);
    }
    return removable + others;
}

frmDriveSelect::frmDriveSelect(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDriveSelect"));
    setWindowTitle(QStringLiteral("Select Data Drive"));
    auto* label = new QLabel(
        QStringLiteral(" Choose the drive associated with the data disk. (Usually A: or F:)"),
        this);
    drDrive = new QComboBox(this);
    drDrive->setObjectName(QStringLiteral("drDrive"));
    drDrive->addItems(AvailableDrives());
    drDrive->addItem(kBrowse);
    cmdDone = new QPushButton(QStringLiteral("Done"), this);
    cmdDone->setObjectName(QStringLiteral("cmdDone"));
    cmdDone->setDefault(true);
    cmdhelp = new QPushButton(QStringLiteral("Help"), this);
    cmdhelp->setObjectName(QStringLiteral("cmdhelp"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdDone);
    buttons->addWidget(cmdhelp);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(drDrive);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    lastIndex_ = drDrive->currentIndex();
    connect(drDrive, &QComboBox::currentIndexChanged, this, &frmDriveSelect::drDrive_Change);
    connect(cmdDone, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdhelp, &QPushButton::clicked, this, &frmDriveSelect::cmdhelp_Click);
}

void frmDriveSelect::drDrive_Change(int index) {
    if (drDrive->itemText(index) != kBrowse) {
        NewDrive = drDrive->itemText(index);
        lastIndex_ = index;
        return;
    }
    const QString folder = ChooseFolder(this, QStringLiteral("Select Data Drive"),
                                        NewDrive.isEmpty() ? "/" : NewDrive);
    QSignalBlocker blocker(drDrive);
    if (folder.isEmpty()) {
        drDrive->setCurrentIndex(lastIndex_);
        return;
    }
    int found = drDrive->findText(folder);
    if (found < 0) {
        found = drDrive->count() - 1;
        drDrive->insertItem(found, folder);
    }
    drDrive->setCurrentIndex(found);
    lastIndex_ = found;
    NewDrive = folder;
}

void frmDriveSelect::cmdhelp_Click() {
    MsgBox(QStringLiteral("Use the dropdown box to select the drive that the floppy data \r\n"
                          "diskette or USB Flash Drive is in. Floppy drives are usually A: or\r\n"
                          "B: and USB drives are usually F: or G:"));
}

} // namespace dvq3
