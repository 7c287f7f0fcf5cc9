#include "MessageRecorder.h"
#include "Widgets.h"
#include "platform/FileDialogs.h"
#include "shell/frmAbout.h"
#include "shell/frmDriveSelect.h"
#include "shell/frmMainMenu.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::Child;

TEST(DriveSelect, CaptionsAndHelpText) {
    dvq3test::MessageRecorder messages;
    frmDriveSelect chooser;
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Select Data Drive"));
    Child<QPushButton>(&chooser, "cmdhelp")->click();
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_EQ(
        messages.boxes[0].text,
        QStringLiteral("Use the dropdown box to select the drive that the floppy data \r\n"
                       "diskette or USB Flash Drive is in. Floppy drives are usually A: or\r\n"
                       "B: and USB drives are usually F: or G:"));
    EXPECT_EQ(messages.boxes[0].buttons(), int(vbOKOnly));
}

TEST(DriveSelect, NewDriveFollowsTheUsersSelectionOnly) {
    frmDriveSelect chooser;
    auto* drDrive = Child<QComboBox>(&chooser, "drDrive");
    EXPECT_TRUE(chooser.NewDrive.isEmpty()); // untouched list: Done gives an empty drive
    const int browse = drDrive->count() - 1;
    EXPECT_EQ(drDrive->itemText(browse), QStringLiteral("Browse..."));

    SetNextFileDialogAnswer("/srv/usbstick");
    drDrive->setCurrentIndex(browse);
    EXPECT_EQ(chooser.NewDrive, QStringLiteral("/srv/usbstick"));
    EXPECT_EQ(drDrive->currentText(), QStringLiteral("/srv/usbstick"));

    // Cancelling the folder chooser keeps the last choice.
    SetNextFileDialogAnswer(QString());
    drDrive->setCurrentIndex(drDrive->count() - 1);
    EXPECT_EQ(chooser.NewDrive, QStringLiteral("/srv/usbstick"));
    EXPECT_EQ(drDrive->currentText(), QStringLiteral("/srv/usbstick"));

    if (drDrive->count() > 2) {
        drDrive->setCurrentIndex(0);
        EXPECT_EQ(chooser.NewDrive, drDrive->itemText(0));
    }
}

TEST(DriveSelect, RemovableMediaComeFirst) {
    const QStringList drives = frmDriveSelect::AvailableDrives();
    bool seenOther = false;
    for (const QString& drive : drives) {
        const bool removable = drive.startsWith("/media") || drive.startsWith("/run/media") ||
                               drive.startsWith("/mnt");
        EXPECT_FALSE(removable && seenOther) << drive.toStdString();
        seenOther = seenOther || !removable;
    }
}

TEST(AboutBox, MenuEntryShowsTheAboutBoxModally) {
    frmAbout::SkipSplashWait = true;
    Session session;
    frmMainMenu window(session);
    QString caption;
    bool okVisible = false;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        caption = about->windowTitle();
        okVisible = Child<QPushButton>(about, "cmdOK")->isVisible();
        QTest::keyClick(Child<QPushButton>(about, "cmdOK"), Qt::Key_Return);
    });
    Child<QAction>(&window, "mnuHelpAbout")->trigger();
    EXPECT_EQ(caption, QStringLiteral("About DVQ-III"));
    EXPECT_TRUE(okVisible);
}
