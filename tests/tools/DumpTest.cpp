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

// An empty or relative drive never names a path, not even in the current folder; the dump
// never creates the file, nor changes one it refuses. Fields that need it are quoted.
TEST(Dump, QuotesFieldsAndRefusedAndDamagedFilesFailWithTheStationsMessage) {
    TestFolder folder;
    const QString file = folder.drive() + "/DATA401.DVQ";
    for (const QString& drive :
         {folder.drive(), QString(), QStringLiteral("a:"), QStringLiteral("drive")}) {
        const ToolRun none = RunDump(drive);
        EXPECT_EQ(std::pair(none.status, none.err),
                  std::pair(1, dvq3::NoTestInformationText(drive) + ".\n"));
    }
    EXPECT_FALSE(QFile::exists(file));
    TestFolder::Write(file, QByteArray("Smith, \"Jo\"") + QByteArray(176 - 11, ' '));
    const ToolRun quoted = RunDump(folder.drive());
    EXPECT_TRUE(quoted.status == 0 &&
                quoted.out.split('\n')[1].startsWith("\"Smith, \"\"Jo\"\"\",,"))
        << quoted.out.toStdString();
    // The file's bytes, what the dump says, how many lines it prints (the header, whole records).
    const std::tuple<QByteArray, const char*, int> cases[] = {
        {QByteArray(52 * 176, 'x'), "holds 52 records, more than the 51 clients", 0},
        {QByteArray(176 + 5, 'y'), "is damaged", 2}};
    for (const auto& [bytes, message, lines] : cases) {
        TestFolder::Write(file, bytes);
        const ToolRun run = RunDump(folder.drive());
        EXPECT_NE(run.status, 0);
        EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
        EXPECT_EQ(run.out.split('\n', Qt::SkipEmptyParts).size(), lines);
        EXPECT_EQ(TestFolder::Read(file), bytes);
    }
    // The system would take the drive as ending at its NUL, naming the client file.
    const QString nul = file + QChar(0) + "/x";
    const ToolRun cut = RunDump(nul);
    EXPECT_EQ(std::pair(cut.status, cut.err), std::pair(1, dvq3::NulPathText(nul) + "\n"));
}
