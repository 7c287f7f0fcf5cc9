#include "BuildDisk.h"
#include "TestFolder.h"
#include "records/Session.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using dvq3test::TestFolder;

TEST(BuildDisk, SampleSourceBuildsALoadableDisk) {
    TestFolder folder;
    const QString disk = folder.path("disk");
    ASSERT_EQ(dvq3tool::BuildDisk(dvq3test::SourceFolder() + "/data/sampledisk/clients.txt", disk),
              QString());
    EXPECT_EQ(TestFolder::Read(disk + "/TID"), QByteArray("DVQ3\r\n"));
    dvq3::Session session;
    session.disk.SetDataDrive(disk);
    auto loaded = session.LoadClients();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded.value().problem, dvq3::ClientFileProblem::None);
    ASSERT_EQ(session.disk.NumClients(), 4);
    // Client 3's deleted name keeps its 25 characters (its byte 0x81 and NameDeleted are in the
    // dump of the sample disk, which the build makes with this command).
    EXPECT_EQ(session.disk.Clients(3).Name.toLatin1().size(), 25);
    EXPECT_EQ(TestFolder::Read(disk + "/DATA401.DVQ").size(), 4 * 176);
    EXPECT_EQ(session.disk.Clients(4).Responses.count(u'0'), 7);
}

TEST(BuildDisk, RejectsValuesThatDoNotFit) {
    TestFolder folder;
    const QString source = folder.path("bad.txt");
    // The sample source with a name one character too long.
    TestFolder::Write(source,
                      TestFolder::Read(dvq3test::SourceFolder() + "/data/sampledisk/clients.txt")
                          .replace("Harlan Petrosky", QByteArray(26, 'n')));
    EXPECT_TRUE(dvq3tool::BuildDisk(source, folder.path("disk")).contains("Name is not 25"));
    EXPECT_FALSE(QFile::exists(folder.path("disk/DATA401.DVQ")));
}

TEST(BuildDisk, AClientFileWithClientsIsReplacedOnlyWithForce) {
    TestFolder folder;
    const QString source = dvq3test::SourceFolder() + "/data/sampledisk/clients.txt";
    const QString disk = folder.path("disk");
    QDir().mkpath(disk);
    const QByteArray kept = QByteArray(176, 'k') + QByteArray(176, 'e');
    TestFolder::Write(disk + "/DATA401.DVQ", kept);
    const QString refused = dvq3tool::BuildDisk(source, disk);
    EXPECT_TRUE(refused.contains("already holds 2 clients")) << refused.toStdString();
    EXPECT_EQ(TestFolder::Read(disk + "/DATA401.DVQ"), kept);
    EXPECT_FALSE(QFile::exists(disk + "/TID"));
    EXPECT_EQ(dvq3tool::BuildDisk(source, disk, true), QString());
    EXPECT_EQ(TestFolder::Read(disk + "/DATA401.DVQ").size(), 4 * 176);
}
