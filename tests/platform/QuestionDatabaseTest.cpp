#include "platform/QuestionDatabase.h"
#include "TestFolder.h"
#include "platform/DatabaseLock.h"

#include <QFile>

#include <array>

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::TestFolder;

namespace {

// A private copy of the built database, so edits do not reach the program folder.
struct QuestionDatabaseTest : ::testing::Test {
    TestFolder folder;
    QString path = folder.path("DVQ3.MDB");
    QuestionDatabase db;
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(dvq3test::BuiltProgramFolder() + "/DVQ3.MDB", path));
    }
};

} // namespace

TEST_F(QuestionDatabaseTest, HoldsBothLanguagesInItemOrder) {
    ASSERT_TRUE(db.open(path, true));
    EXPECT_EQ(db.tableNames().mid(0, 2), (QStringList{"English", "Spanish"}));
    for (const QString& language : {QStringLiteral("English"), QStringLiteral("Spanish")}) {
        Recordset r = db.openRecordset("Select * from [" + language + "]").value();
        ASSERT_EQ(r.recordCount(), 100);
        int expected = 1;
        for (r.moveFirst(); !r.eof(); r.moveNext(), ++expected) {
            EXPECT_EQ(r.field("ID").toInt(), expected);
            EXPECT_FALSE(r.field("TestQuestion").toString().isEmpty());
            // Section 1 is true/false; the later sections offer four answers and never five.
            const bool trueFalse = expected <= 29;
            EXPECT_EQ(
                (std::array{r.isNull("ANSWER1"), r.isNull("ANSWER2"), r.isNull("ANSWER3"),
                            r.isNull("ANSWER4"), r.isNull("ANSWER5"), r.isNull("ChoiceAudio5")}),
                (std::array{false, false, trueFalse, trueFalse, true, true}))
                << expected;
            EXPECT_FALSE(r.field("QuestionAudio").toString().isEmpty());
        }
        EXPECT_EQ(expected, 101);
    }
}

// A table opened for editing moves back and forth; its edited row persists.
TEST_F(QuestionDatabaseTest, MovesBackAndForthAndAnEditedRowPersists) {
    {
        QuestionDatabase first;
        ASSERT_TRUE(first.open(path, true));
        Recordset r = first.openTable("Spanish").value();
        r.moveFirst();
        EXPECT_FALSE(r.bof());
        r.movePrevious();
        EXPECT_TRUE(r.bof());
        EXPECT_FALSE(r.field("ID").isValid());
        r.moveLast();
        EXPECT_EQ(r.field("ID").toInt(), 100);
        r.moveNext();
        EXPECT_TRUE(r.eof());
        r.moveFirst();
        r.moveNext();
        r.moveNext();
        r.movePrevious();
        EXPECT_EQ(r.field("id").toInt(), 2);
        EXPECT_EQ(r.update().error().text(), "Error 3020:Update without AddNew or Edit");
        r.edit();
        r.setField("TestQuestion", "cambiado");
        ASSERT_TRUE(r.update());
    }
    ASSERT_TRUE(db.open(path, false));
    Recordset r = db.openRecordset("Select * from [Spanish]").value();
    r.moveFirst();
    r.moveNext();
    EXPECT_EQ(std::pair(r.field("ID").toInt(), r.field("TestQuestion").toString()),
              std::pair(2, QStringLiteral("cambiado")));
}

TEST_F(QuestionDatabaseTest, OpenFailuresCarryTheEngineNumbers) {
    QFile::remove(path);
    TestFolder::Write(folder.path("junk.mdb"), QByteArray(4096, 'x'));
    const std::pair<const char*, int> cases[] = {
        {"DVQ3.MDB", 3024}, {"none/DVQ3.MDB", 3044}, {"junk.mdb", 3051}};
    for (const auto& [name, number] : cases) {
        EXPECT_EQ(db.open(folder.path(name), true).error().number(), number) << name;
        EXPECT_FALSE(db.isOpen());
    }
    EXPECT_FALSE(QFile::exists(path)); // never created by an open
}

// A second station is refused while one holds the database; a reader is let in, reads only, and
// sees what the station writes meanwhile.
TEST_F(QuestionDatabaseTest, AStationKeepsOtherStationsOutAndLetsReadersIn) {
    ASSERT_TRUE(db.open(path, true));
    QuestionDatabase second;
    const Error denied = second.open(path, true).error();
    EXPECT_EQ(denied.number(), kDatabaseInUse); // not a damaged or missing file
    EXPECT_FALSE(IsMissingDiskError(denied));
    EXPECT_TRUE(denied.text().contains(HeldByStationText()));
    QuestionDatabase reader;
    ASSERT_TRUE(reader.open(path, false));
    EXPECT_EQ(reader.tableNames(), db.tableNames());
    EXPECT_FALSE(reader.execute("UPDATE ScanItem SET x = 1"));
    ASSERT_TRUE(db.execute("UPDATE ScanItem SET x = 2"));
    Recordset positions = reader.openRecordset("SELECT DISTINCT x FROM ScanItem").value();
    EXPECT_EQ(std::pair(positions.recordCount(), positions.field("x").toInt()), std::pair(1, 2));
    db.close();
    EXPECT_TRUE(second.open(path, true));
}
