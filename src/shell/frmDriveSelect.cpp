#include "shell/frmDriveSelect.h"

#include "platform/DriveFile.h"
#include "ui/FileDialogs.h"
#include "ui/MsgBox.h"
#include "ui/TextRoom.h"

#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
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

QStringList frmDriveSelect::AvailableDrives(const QStringList& firstDrives) {
    QStringList drives;
    for (const QString& drive : firstDrives)
        if (!drive.isEmpty() && !HoldsNul(drive) && !QDir::isRelativePath(drive) &&
            QDir(drive).exists() && !drives.contains(drive))
            drives << drive;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && IsRemovable(volume.rootPath()) &&
            !drives.contains(volume.rootPath()))
            drives << volume.rootPath();
    return drives;
}

frmDriveSelect::frmDriveSelect(const QStringList& firstDrives, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDriveSelect"));
    setWindowTitle(QStringLiteral("Select Data Drive"));
    auto* label = new QLabel(
        QStringLiteral(" Choose the drive associated with the data disk. (Usually A: or F:)"),
        this);
    drDrive = new QComboBox(this);
    drDrive->setObjectName(QStringLiteral("drDrive"));
    drDrive->addItems(AvailableDrives(firstDrives));
    drDrive->installEventFilter(this);
    drDrive->addItem(kBrowse);
    cmdDone = new QPushButton(QStringLiteral("Done"), this);
    cmdDone->setObjectName(QStringLiteral("cmdDone"));
    cmdDone->setDefault(true);
    cmdhelp = new QPushButton(QStringLiteral("Help"), this);
    cmdhelp->setObjectName(QStringLiteral("cmdhelp"));
    KeepRoomForFocus(cmdDone);
    KeepRoomForFocus(cmdhelp);

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
    // Chosen from the open list with the mouse or Enter.
    connect(drDrive, &QComboBox::activated, this, [this](int index) {
        if (drDrive->itemText(index) == kBrowse)
            Browse();
    });
    connect(cmdDone, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdhelp, &QPushButton::clicked, this, &frmDriveSelect::cmdhelp_Click);
}

void frmDriveSelect::drDrive_Change(int index) {
    if (drDrive->itemText(index) == kBrowse)
        return; // opened only when chosen, never by passing over it
    NewDrive = drDrive->itemText(index);
    lastIndex_ = index;
}

bool frmDriveSelect::eventFilter(QObject* watched, QEvent* event) {
    if (watched != drDrive || event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (drDrive->currentText() != kBrowse)
            return false; // Done
        Browse();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: {
        // Moved here rather than by the list itself, which would also report the move as a
        // choice and so open the folder chooser on passing "Browse...".
        const int last = drDrive->count() - 1;
        int index = drDrive->currentIndex();
        if (key == Qt::Key_Up)
            index = std::max(0, index - 1);
        else if (key == Qt::Key_Down)
            index = std::min(last, index + 1);
        else if (key == Qt::Key_PageUp || key == Qt::Key_Home)
            index = 0;
        else
            index = last;
        drDrive->setCurrentIndex(index);
        return true;
    }
    default:
        return false;
    }
}

void frmDriveSelect::Browse() {
    const QString folder = ChooseFolder(this, QStringLiteral("Select Data Drive"),
                                        NewDrive.isEmpty() ? "/" : NewDrive);
    QSignalBlocker blocker(drDrive);
    if (folder.isEmpty()) {
        if (lastIndex_ >= 0)
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
