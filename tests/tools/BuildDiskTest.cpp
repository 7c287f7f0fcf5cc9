#include "BuildDisk.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using dvq3test::TestFolder;

// The sample disk of the build is made by this command; the tests that load it (the dump, the
// printing windows, the station's end-to-end run) check what it writes. Here: what it refuses.
TEST(BuildDisk, RefusesValuesThatDoNotFitAndADiskWithClientsUnlessForced) {
    TestFolder folder;
    const QString source = dvq3test::SourceFolder() + "/data/sampledisk/clients.txt";
    const QString disk = folder.path("disk");
    // The sample source with a name one character too long.
    TestFolder::Write(folder.path("bad.txt"),
                      TestFolder::Read(source).replace("Harlan Petrosky", QByteArray(26, 'n')));
    EXPECT_TRUE(dvq3tool::BuildDisk(folder.path("bad.txt"), disk).contains("Name is not 25"));
    EXPECT_FALSE(QFile::exists(disk + "/DATA401.DVQ"));
    QDir().mkpath(disk);
    const QByteArray kept = QByteArray(176, 'k') + QByteArray(176, 'e');
    TestFolder::Write(disk + "/DATA401.DVQ", kept);
    const QString refused = dvq3tool::BuildDisk(source, disk);
    EXPECT_TRUE(refused.contains("already holds 2 clients")) << refused.toStdString();
    EXPECT_EQ(TestFolder::Read(disk + "/DATA401.DVQ"), kept);
    EXPECT_FALSE(QFile::exists(disk + "/TID"));
    EXPECT_EQ(dvq3tool::BuildDisk(source, disk, true), QString());
    EXPECT_EQ(TestFolder::Read(disk + "/DATA401.DVQ").size(), 4 * 176);
    EXPECT_EQ(TestFolder::Read(disk + "/TID"), QByteArray("DVQ3\r\n"));
}
