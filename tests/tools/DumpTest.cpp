#include "DumpCommand.h"
#include "TestFolder.h"
#include "ToolRun.h"
#include "records/DataDisk.h"

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
    TestFolder folder;
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

TEST(Dump, RefusedAndDamagedFilesFailWithTheStationsMessage) {
    TestFolder folder;
    const QString file = folder.drive() + "/DATA401.DVQ";
    const ToolRun none = RunDump(folder.drive());
    EXPECT_NE(none.status, 0);
    EXPECT_TRUE(none.err.startsWith("No test information found on drive"));
    EXPECT_FALSE(QFile::exists(file)); // the dump never creates the file
    // An empty or relative drive never names a path, not even in the current folder.
    for (const QString& drive : {QString(), QStringLiteral("a:"), QStringLiteral("drive")}) {
        const ToolRun relative = RunDump(drive);
        EXPECT_EQ(relative.status, 2);
        EXPECT_EQ(relative.err, dvq3::NoTestInformationText(drive) + ".\n");
    }

    const QByteArray overfull(52 * 176, 'x');
    TestFolder::Write(file, overfull);
    const ToolRun refused = RunDump(folder.drive());
    EXPECT_NE(refused.status, 0);
    EXPECT_TRUE(refused.err.contains("holds 52 records, more than the 51 clients"));
    EXPECT_EQ(TestFolder::Read(file), overfull);

    const QByteArray damaged(176 + 5, 'y');
    TestFolder::Write(file, damaged);
    const ToolRun partial = RunDump(folder.drive());
    EXPECT_NE(partial.status, 0);
    EXPECT_TRUE(partial.err.contains("is damaged"));
    EXPECT_EQ(partial.out.split('\n', Qt::SkipEmptyParts).size(), 2); // header + whole record
    EXPECT_EQ(TestFolder::Read(file), damaged);
}
