#include "platform/DriveFile.h"
#include "DriveFaults.h"
#include "TestFolder.h"

#include <cerrno>

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::TestFolder;

TEST(DriveError, MapsErrnoToTheHandledNumbers) {
    struct Case {
        int err;
        bool folder;
        int number;
        const char* description;
    };
    const Case cases[] = {
        {ENOENT, false, 53, "File not found"},
        {ENOENT, true, 76, "Path not found"},
        {EACCES, false, 70, "Permission denied"},
        {EPERM, false, 70, "Permission denied"},
        {EROFS, false, 70, "Permission denied"},
        {EIO, false, 57, "Device I/O error"},
        {ENXIO, false, 71, "Disk not ready"},
        {ENODEV, false, 71, "Disk not ready"},
        {ENOMEDIUM, false, 71, "Disk not ready"},
        {ENAMETOOLONG, false, 52, "Bad file name or number"},
        {EINVAL, false, 52, "Bad file name or number"},
        {ENOSPC, false, 61, "Disk full"},
    };
    for (const Case& c : cases) {
        const Error error = DriveErrorFromErrno(c.err, c.folder);
        EXPECT_EQ(error.number(), c.number) << c.err;
        EXPECT_EQ(error.description(), QString::fromLatin1(c.description));
    }
    EXPECT_EQ(DriveErrorFromErrno(ENOSPC).text(), QStringLiteral("Error 61:Disk full"));
}

TEST(DriveFile, MissingFileAndMissingFolderAreTold) {
    TestFolder folder;
    auto missing = ReadDriveFile(folder.drive() + "/nothing");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().number(), 53);
    DriveFile file;
    auto opened =
        file.open(folder.path("no/such/folder/DATA401.DVQ"), DriveFile::Mode::ReadWriteCreate);
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error().number(), 76);
}

TEST(DriveFile, InjectedFaultsStopTheOperationWithTheirNumber) {
    TestFolder folder;
    const QString path = folder.drive() + "/file";
    dvq3test::DriveFaults faults;
    faults.fail(DriveOp::Write, EROFS, {}, 1);
    auto written = WriteDriveFile(path, "abc");
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().number(), 70);
    ASSERT_TRUE(WriteDriveFile(path, "abc")); // the fault was for one write only
    EXPECT_EQ(TestFolder::Read(path), QByteArray("abc"));
    EXPECT_EQ(faults.count(DriveOp::Sync), 1); // the failed write never reached its flush

    faults.fail(DriveOp::Remove, EIO);
    auto removed = RemoveDriveFile(path);
    ASSERT_FALSE(removed);
    EXPECT_EQ(removed.error().number(), 57);
    EXPECT_TRUE(DriveFileExists(path).value());
}
