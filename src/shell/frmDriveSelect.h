#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace dvq3 {

// "Select Data Drive": the data disk's drive (a folder) from the mounted volumes, removable
// media first, or any folder through "Browse...".
class frmDriveSelect : public QDialog {
    Q_OBJECT
public:
    explicit frmDriveSelect(QWidget* parent = nullptr);

    // The drive of the last selection the user made; empty until the selection changes.
    QString NewDrive;

    // The folders the drive list offers: removable media under /media, /run/media and /mnt
    // first, then the other mounted volumes.
    static QStringList AvailableDrives();

private:
    void drDrive_Change(int index);

    QComboBox* drDrive;
    QPushButton* cmdDone;
    QPushButton* cmdhelp;
    void cmdhelp_Click();

    int lastIndex_ = -1;
};

} // namespace dvq3
