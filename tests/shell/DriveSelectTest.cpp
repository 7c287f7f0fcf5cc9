#include "MessageRecorder.h"
#include "TestFolder.h"
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

TEST(DriveSelect, ArrowsOnlyMoveEnterOnBrowseChoosesAFolderEscapeCancels) {
    dvq3test::TestFolder folder;
    const QString current = folder.drive();
    frmDriveSelect chooser({current, QString(), "relative", current, folder.path("gone")});
    auto* drDrive = Child<QComboBox>(&chooser, "drDrive");
    // The drive in use first, once; names that are not folders left out; "Browse..." last.
    EXPECT_EQ(drDrive->itemText(0), current);
    EXPECT_EQ(drDrive->findText(folder.path("gone")), -1);
    EXPECT_EQ(drDrive->findText("relative"), -1);
    EXPECT_EQ(drDrive->itemText(drDrive->count() - 1), QStringLiteral("Browse..."));
    for (int i = 1; i < drDrive->count() - 1; ++i) {
        const QString drive = drDrive->itemText(i);
        EXPECT_TRUE(drive.startsWith("/media/") || drive.startsWith("/run/media/") ||
                    drive.startsWith("/mnt"))
            << drive.toStdString();
    }
    EXPECT_TRUE(chooser.NewDrive.isEmpty()); // untouched list: Done gives an empty drive

    chooser.show();
    SetNextFileDialogAnswer("/srv/usbstick");
    for (int i = 0; i < drDrive->count() + 2; ++i)
        QTest::keyClick(drDrive, Qt::Key_Down);
    EXPECT_EQ(drDrive->currentText(), QStringLiteral("Browse..."));
    EXPECT_NE(chooser.NewDrive, QStringLiteral("/srv/usbstick")); // passing it opened nothing
    QTest::keyClick(drDrive, Qt::Key_Return);
    EXPECT_EQ(chooser.NewDrive, QStringLiteral("/srv/usbstick"));
    EXPECT_EQ(drDrive->currentText(), QStringLiteral("/srv/usbstick"));
    EXPECT_TRUE(chooser.isVisible());

    // Cancelling the folder chooser keeps the last choice.
    QTest::keyClick(drDrive, Qt::Key_End);
    SetNextFileDialogAnswer(QString());
    QTest::keyClick(drDrive, Qt::Key_Return);
    EXPECT_EQ(chooser.NewDrive, QStringLiteral("/srv/usbstick"));
    QTest::keyClick(drDrive, Qt::Key_Home);
    EXPECT_EQ(chooser.NewDrive, current);

    QTest::keyClick(drDrive, Qt::Key_Escape);
    EXPECT_EQ(chooser.result(), int(QDialog::Rejected));
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
