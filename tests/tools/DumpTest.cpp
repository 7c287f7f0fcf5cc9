#include "DumpCommand.h"
#include "TestFolder.h"
#include "ToolRun.h"
#include "platform/DriveFile.h"
#include "station/DataDisk.h"

#include <gtest/gtest.h>

using dvq3test::RunTool;
using dvq3test::TestFolder;
using dvq3test::ToolRun;

namespace {

ToolRun RunDump(const QString& drive) {
    return RunTool(
        [&](QTextStream& out, QTextStream& err) { return dvq3tool::Dump(drive, out, err); });
}

} // namespace

TEST(Dump, PrintsTheSampleDiskAsCsv) {
    const ToolRun dump = RunDump(dvq3test::BuiltProgramFolder() + "/SampleDisk");
    ASSERT_EQ(dump.status, 0) << dump.err.toStdString();
    const QStringList lines = dump.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("Name,Age,Gender,DOB,Education,Race,Marital,RecordDate,DL,"
                                       "DUIArrests,AlcoholArrests,DrugArrests,Responses,EditCount,"
                                       "NameDeleted"));
    EXPECT_TRUE(lines[1].startsWith("Harlan Petrosky,42,1,03/14/1984,"));
    EXPECT_TRUE(lines[2].startsWith("N,N,0,N,0,0,0,"));
    EXPECT_TRUE(lines[2].contains(",N___-___-__-___-_,N,N,N,"));
    // The deleted name keeps its undefined code-page byte as U+0081.
    EXPECT_TRUE(lines[3].contains(QChar(0x81)));
    EXPECT_TRUE(lines[3].endsWith(",1,1"));
    EXPECT_TRUE(lines[4].startsWith("Dwayne T. Okafor-Lind,57,"));
}

TEST(Dump, QuotesFieldsThatNeedIt) {
    TestFolder folder;
    TestFolder::Write(folder.drive() + "/DATA401.DVQ",
                      QByteArray("Smith, \"Jo\"") + QByteArray(176 - 11, ' '));
    const ToolRun dump = RunDump(folder.drive());
    ASSERT_EQ(dump.status, 0);
    EXPECT_TRUE(dump.out.split('\n')[1].startsWith("\"Smith, \"\"Jo\"\"\",,"));
}

// An empty or relative drive never names a path, not even in the current folder; the dump
// never creates the file, nor changes one it refuses.
TEST(Dump, RefusedAndDamagedFilesFailWithTheStationsMessage) {
    TestFolder folder;
    const QString file = folder.drive() + "/DATA401.DVQ";
    for (const QString& drive :
         {folder.drive(), QString(), QStringLiteral("a:"), QStringLiteral("drive")}) {
        const ToolRun none = RunDump(drive);
        EXPECT_EQ(none.status, 1);
        EXPECT_EQ(none.err, dvq3::NoTestInformationText(drive) + ".\n");
    }
    EXPECT_FALSE(QFile::exists(file));
    struct Case {
        QByteArray bytes;
        const char* message;
        int lines; // printed: the header and the whole records
    };
    for (const Case& c :
         {Case{QByteArray(52 * 176, 'x'), "holds 52 records, more than the 51 clients", 0},
          Case{QByteArray(176 + 5, 'y'), "is damaged", 2}}) {
        TestFolder::Write(file, c.bytes);
        const ToolRun run = RunDump(folder.drive());
        EXPECT_NE(run.status, 0);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_EQ(run.out.split('\n', Qt::SkipEmptyParts).size(), c.lines);
        EXPECT_EQ(TestFolder::Read(file), c.bytes);
    }
    // The system would take the drive as ending at its NUL, naming the client file.
    const QString nul = file + QChar(0) + "/x";
    const ToolRun cut = RunDump(nul);
    EXPECT_EQ(std::pair(cut.status, cut.err), std::pair(1, dvq3::NulPathText(nul) + "\n"));
}
