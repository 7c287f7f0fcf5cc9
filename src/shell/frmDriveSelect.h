#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace dvq3 {

// "Select Data Drive": the data disk's drive (a folder) from the drive in use, the drives chosen
// before and the removable media mounted now, or any folder through "Browse...". The arrow keys
// only move through the list; Enter on "Browse..." (or choosing it with the mouse) opens the
// folder chooser. Escape or closing the window cancels.
class frmDriveSelect : public QDialog {
    Q_OBJECT
public:
    explicit frmDriveSelect(const QStringList& firstDrives = {}, QWidget* parent = nullptr);

    // The drive of the last selection the user made; empty until the selection changes.
    QString NewDrive;

    // The folders the drive list offers: firstDrives (those that exist, once each), then the
    // removable media mounted under /media, /run/media and /mnt. Other system mounts are not
    // data disks and are left out.
    static QStringList AvailableDrives(const QStringList& firstDrives);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void drDrive_Change(int index);
    void Browse();

    QComboBox* drDrive;
    QPushButton* cmdDone;
    QPushButton* cmdhelp;
    void cmdhelp_Click();

    int lastIndex_ = -1;
};

} // namespace dvq3
