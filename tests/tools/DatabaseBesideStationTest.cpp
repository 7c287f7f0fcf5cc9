#include "BuildDatabase.h"
#include "TestFolder.h"
#include "ToolRun.h"
#include "platform/DatabaseLock.h"
#include "platform/QuestionDatabase.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using dvq3test::TestFolder;

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
