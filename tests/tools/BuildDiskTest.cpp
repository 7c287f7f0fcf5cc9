#include "BuildDisk.h"
#include "BuildDatabase.h"
#include "TestFolder.h"
#include "ToolRun.h"
#include "platform/DatabaseLock.h"
#include "platform/DriveFile.h"
#include "platform/QuestionDatabase.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <sys/stat.h>

#include <gtest/gtest.h>

using dvq3test::TestFolder;

// The sample disk of the build is made by this command; the tests that load it (the dump, the
// printing windows, the station's end-to-end run) check what it writes. Here: what it refuses,
// before writing anything, and that the clients it writes are their user's alone.
TEST(BuildDisk, RefusesValuesThatDoNotFitAndADiskWithClientsUnlessForced) {
    TestFolder folder;
    const QString source = dvq3test::SourceFolder() + "/data/sampledisk/clients.txt";
    const QString disk = folder.path("disk");
    const QByteArray sample = TestFolder::Read(source);
    // The sample source with a name one character too long, and with 52 clients.
    TestFolder::Write(folder.path("long.txt"),
                      QByteArray(sample).replace("Harlan Petrosky", QByteArray(26, 'n')));
    const qsizetype first = sample.indexOf("Name:");
    const QByteArray client = sample.mid(first, sample.indexOf("\n\n", first) - first);
    TestFolder::Write(folder.path("52.txt"), (client + "\n\n").repeated(52));
    ASSERT_EQ(::mkfifo(dvq3::NativePath(folder.path("fifo")).constData(), 0600), 0);
    const std::pair<QString, QString> refused[] = {
        {folder.path("long.txt"), "Name is not 25"},
        {folder.path("52.txt"),
         folder.path("52.txt") + " holds 52 clients, more than the 51 a data disk can hold"},
        {folder.path("fifo"), dvq3::NotARegularFileText(folder.path("fifo"))},
        {"/dev/zero", dvq3::NotARegularFileText("/dev/zero")},
        {folder.path("none.txt"), folder.path("none.txt") + ": Error 53:File not found"},
    };
    for (const auto& [from, message] : refused) {
        const QString error = dvq3test::Said(dvq3tool::BuildDisk(from, disk, true));
        EXPECT_TRUE(error.contains(message)) << error.toStdString();
        EXPECT_FALSE(QFile::exists(disk)) << from.toStdString();
        // The question database's sources are read the same way.
        if (from == folder.path("fifo") || from == "/dev/zero") {
            EXPECT_EQ(dvq3test::Said(dvq3tool::BuildDatabase({from}, folder.path("DVQ3.MDB"))),
                      message);
            EXPECT_FALSE(QFile::exists(folder.path("DVQ3.MDB")));
        }
    }
    QDir().mkpath(disk);
    const QByteArray kept = QByteArray(176, 'k') + QByteArray(176, 'e');
    TestFolder::Write(disk + "/DATA401.DVQ", kept);
    const QString refusedDisk = dvq3test::Said(dvq3tool::BuildDisk(source, disk));
    EXPECT_TRUE(refusedDisk.contains("already holds 2 clients")) << refusedDisk.toStdString();
    EXPECT_EQ(TestFolder::Read(disk + "/DATA401.DVQ"), kept);
    EXPECT_FALSE(QFile::exists(disk + "/TID"));
    EXPECT_TRUE(dvq3tool::BuildDisk(source, disk, true));
    EXPECT_EQ(TestFolder::Read(disk + "/DATA401.DVQ").size(), 4 * 176);
    EXPECT_EQ(TestFolder::Read(disk + "/TID"), QByteArray("DVQ3\r\n"));
    EXPECT_EQ(TestFolder::Mode(disk + "/DATA401.DVQ"), 0600);
    const QString fresh = folder.path("new/disk");
    EXPECT_TRUE(dvq3tool::BuildDisk(source, fresh));
    EXPECT_EQ(std::pair(TestFolder::Mode(fresh), TestFolder::Mode(fresh + "/DATA401.DVQ")),
              std::pair(0700, 0600));
}

// A station holds its question database for the run. The tool draws the blank sheet from it
// meanwhile, in a process of its own (decode reads it so in the sheet tests); building a database
// over it is refused and leaves it whole while the station has it.
TEST(DatabaseBesideStation, ReadingCommandsWorkAndBuildDbRefuses) {
    TestFolder folder;
    const QString path = folder.path("DVQ3.MDB");
    ASSERT_TRUE(QFile::copy(dvq3test::BuiltProgramFolder() + "/DVQ3.MDB", path));
    dvq3::QuestionDatabase station;
    ASSERT_TRUE(station.open(path, true));

    QProcess sheet;
    sheet.start(dvq3test::BuiltProgramFolder() + "/dvq3tool",
                {"sheet", "--pdf", folder.path("sheet.pdf"), "--db", path});
    ASSERT_TRUE(sheet.waitForFinished(30000));
    EXPECT_EQ(sheet.exitCode(), 0) << sheet.readAllStandardError().toStdString();
    EXPECT_TRUE(TestFolder::Read(folder.path("sheet.pdf")).startsWith("%PDF"));

    const QString data = dvq3test::SourceFolder() + "/data/";
    const QStringList sources{data + "questions/English.txt", data + "questions/Spanish.txt",
                              data + "sheets/ScanItem.txt"};
    const QByteArray before = TestFolder::Read(path);
    const QString refused = dvq3test::Said(dvq3tool::BuildDatabase(sources, path));
    EXPECT_TRUE(refused.contains(dvq3::HeldByStationText())) << refused.toStdString();
    EXPECT_EQ(TestFolder::Read(path), before);
    // The station still writes it (a scan's positions); once it has closed, the hold is free.
    EXPECT_TRUE(station.execute("UPDATE ScanItem SET x = 7"));
    station.close();
    EXPECT_TRUE(dvq3::DatabaseLock().acquire(path));
}
