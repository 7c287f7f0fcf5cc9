#include "shell/SelectDataDrive.h"
#include "DriveFaults.h"
#include "ShellFixture.h"
#include "shell/DiskCheck.h"

#include <QFile>

#include <cerrno>

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::DriveFaults;

namespace {

struct SelectDataDriveTest : ::testing::Test, dvq3test::ShellFixture {
    QList<DriveChoice> chooserAnswers; // nothing: the chooser was cancelled
    int chooserShown = 0;
    int refreshed = 0;

    DriveSelection select(bool atStartup) {
        return SelectDataDrive(
            session, atStartup, [this] { ++refreshed; },
            [this] {
                ++chooserShown;
                return chooserAnswers.isEmpty() ? DriveChoice(QString())
                                                : chooserAnswers.takeFirst();
            });
    }
    // The station started on a good disk of n clients: the disk in use for a later choice.
    QString startOnPrevious(int clients) {
        const QString previous = makeDisk("previous", clients);
        writeIniFilePath(previous);
        EXPECT_EQ(select(true), DriveSelection::Established);
        return previous;
    }
};

} // namespace

TEST_F(SelectDataDriveTest, StartupTriesTheIniDriveFirst) {
    const QString disk = makeDisk("disk", 3);
    writeIniFilePath(disk);
    EXPECT_EQ(select(true), DriveSelection::Established);
    EXPECT_EQ(chooserShown, 0);
    EXPECT_TRUE(messages.boxes.isEmpty());
    EXPECT_EQ(session.disk.NumClients(), 3);
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(iniFilePath(), disk);
}

TEST_F(SelectDataDriveTest, WithoutIniFileDriveAIsTriedAndAnotherDriveOffered) {
    const QString disk = makeDisk("disk", 2);
    chooserAnswers << disk;
    messages.answer(vbYes);
    EXPECT_EQ(select(true), DriveSelection::Established);
    EXPECT_EQ(
        messages.texts(),
        QStringList{"No test information found on drive A:, would you like to try another drive?"});
    EXPECT_EQ(messages.boxes[0].buttons(), int(vbYesNo));
    EXPECT_EQ(chooserShown, 1);
    EXPECT_EQ(iniFilePath(), disk);
}

TEST_F(SelectDataDriveTest, MissingTidAsksWithThePathAsItIsAndNoEndsTheProgram) {
    const QString disk = makeDisk("usbdisk", 0, QByteArray());
    writeIniFilePath(disk);
    messages.answer(vbNo);
    EXPECT_EQ(select(true), DriveSelection::EndProgram);
    EXPECT_EQ(messages.texts(), QStringList{"No test information found on drive " + disk +
                                            ", would you like to try another drive?"});
}

TEST_F(SelectDataDriveTest, WrongMarkerIsNotADataDisk) {
    const QString wrong = makeDisk("wrong", 1, "DVQ3x\r\n");
    const QString good = makeDisk("good", 1);
    writeIniFilePath(wrong);
    chooserAnswers << good;
    messages.answer(vbOK);  // not a data disk
    messages.answer(vbYes); // try again
    EXPECT_EQ(select(true), DriveSelection::Established);
    EXPECT_EQ(messages.texts(), (QStringList{kNotADataDiskText, kTryAgainText}));
    EXPECT_EQ(messages.boxes[0].icon(), int(vbCritical));
    EXPECT_EQ(messages.boxes[0].title, kDiskErrorTitle);
    EXPECT_EQ(session.disk.DataDrive(), good);
    EXPECT_EQ(iniFilePath(), good);
}

TEST_F(SelectDataDriveTest, WriteProtectedDiskIsRetriedWithOk) {
    const QString disk = makeDisk("disk", 1);
    writeIniFilePath(disk);
    DriveFaults faults;
    faults.fail(DriveOp::Write, EROFS, "checkWriteTest", 1);
    messages.answer(vbOK);
    EXPECT_EQ(select(true), DriveSelection::Established);
    EXPECT_EQ(messages.texts(), QStringList{kWriteProtectedText});
    EXPECT_EQ(messages.boxes[0].style, int(vbOKCancel | vbCritical));
    EXPECT_FALSE(QFile::exists(disk + "/checkWriteTest"));
}

TEST_F(SelectDataDriveTest, DecliningFromTheMenuFallsBackToThePreviousDisk) {
    const QString wrong = makeDisk("wrong", 5, "OTHER\r\n");
    const QString previous = startOnPrevious(2);
    chooserAnswers << wrong;
    messages.answer(vbOK); // not a data disk
    messages.answer(vbNo); // do not try again
    EXPECT_EQ(select(false), DriveSelection::Kept);
    EXPECT_EQ(messages.texts(), (QStringList{kNotADataDiskText, kTryAgainText}));
    EXPECT_EQ(session.disk.DataDrive(), previous);
    EXPECT_EQ(session.disk.NumClients(), 2);
    EXPECT_EQ(session.disk.Clients(1).Name.trimmed(), QStringLiteral("previous Client-1"));
    EXPECT_EQ(iniFilePath(), previous);
}

TEST_F(SelectDataDriveTest, CancelOnAWriteProtectedDiskFromTheMenuKeepsThePreviousDisk) {
    const QString locked = makeDisk("locked", 4);
    const QString previous = startOnPrevious(2);
    chooserAnswers << locked;
    DriveFaults faults;
    faults.fail(DriveOp::Write, EROFS, "locked/checkWriteTest");
    messages.answer(vbCancel);
    EXPECT_EQ(select(false), DriveSelection::Kept);
    EXPECT_EQ(messages.texts(), QStringList{kWriteProtectedText});
    // The locked disk's clients were loaded before its write test failed; they must not stay.
    EXPECT_EQ(session.disk.DataDrive(), previous);
    EXPECT_EQ(session.disk.NumClients(), 2);
    EXPECT_EQ(iniFilePath(), previous);
}

TEST_F(SelectDataDriveTest, PreviousDiskGoneEndsTheProgram) {
    const QString previous = startOnPrevious(2);
    const QString wrong = makeDisk("wrong", 1, "NOPE\r\n");
    chooserAnswers << wrong;
    messages.onShow = [&](const MsgBoxCall& call) {
        if (call.text == kTryAgainText)
            QDir(previous).removeRecursively();
    };
    messages.answer(vbOK);
    messages.answer(vbNo);
    EXPECT_EQ(select(false), DriveSelection::EndProgram);
    EXPECT_EQ(messages.texts().last(), kReloadFailedText);
}

TEST_F(SelectDataDriveTest, DoneWithoutAChoiceIsADriveWithoutTestInformation) {
    startOnPrevious(1);
    chooserAnswers << QString();
    messages.answer(vbNo);
    EXPECT_EQ(select(false), DriveSelection::EndProgram);
    EXPECT_EQ(messages.texts(), QStringList{"No test information found on drive , would you like "
                                            "to try another drive?"});
    EXPECT_FALSE(QFile::exists("/DATA401.DVQ"));
    EXPECT_FALSE(QFile::exists("/checkWriteTest"));
}

TEST_F(SelectDataDriveTest, CancellingTheChooserKeepsTheDiskInUseOrAsksAtStartUp) {
    const QString previous = startOnPrevious(2);
    chooserAnswers << std::nullopt;
    EXPECT_EQ(select(false), DriveSelection::Kept);
    EXPECT_TRUE(messages.boxes.isEmpty());
    EXPECT_EQ(session.disk.DataDrive(), previous);

    // After a failed try the disk in use is loaded again.
    chooserAnswers << makeDisk("wrong", 4, "NOPE\r\n") << std::nullopt;
    messages.answer(vbOK);  // not a data disk
    messages.answer(vbYes); // try again: cancelled
    EXPECT_EQ(select(false), DriveSelection::Kept);
    EXPECT_EQ(session.disk.DataDrive(), previous);
    EXPECT_EQ(session.disk.NumClients(), 2);

    // At start-up there is no disk to keep.
    messages.boxes.clear();
    writeIniFilePath("/nonexistent");
    chooserAnswers << std::nullopt;
    messages.answer(vbYes); // another drive
    messages.answer(vbNo);  // do not try again
    EXPECT_EQ(select(true), DriveSelection::EndProgram);
    EXPECT_EQ(messages.texts().last(), kTryAgainText);
}
