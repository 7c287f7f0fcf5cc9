#include "DriveFaults.h"
#include "TestFolder.h"
#include "ToolRun.h"
#include "platform/DriveFile.h"
#include "station/Session.h"

#include <cerrno>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::DriveFaults;
using dvq3test::Said;
using dvq3test::TestFolder;

namespace {

QByteArray RecordBytes(int number) {
    ClientRecord record;
    record.set(&ClientRecord::Name, QStringLiteral("Client %1").arg(number));
    record.set(&ClientRecord::Responses, QString(100, QChar(u'0' + number % 5)));
    return record.toBytes();
}

QByteArray FileOf(int records) {
    QByteArray bytes;
    for (int i = 1; i <= records; ++i)
        bytes += RecordBytes(i);
    return bytes;
}

struct DataDiskTest : ::testing::Test {
    TestFolder folder;
    Session session;
    DataDisk& disk = session.disk;
    void SetUp() override { disk.SetDataDrive(folder.drive()); }
    QByteArray onDisk() const { return TestFolder::Read(disk.ClientFile()); }
    // A client file of n records on the drive, loaded.
    void load(int records) {
        TestFolder::Write(disk.ClientFile(), FileOf(records));
        ASSERT_TRUE(session.LoadClients());
    }
};

template <class R> bool Refused(const R& result) {
    return !result && result.error().refused();
}

} // namespace

// The record count comes from the length alone: a sparse terabyte is refused unread.
TEST_F(DataDiskTest, OverfullFileIsRefusedUnreadAndLeftAlone) {
    for (const auto& [length, records] :
         {std::pair(qint64(1) << 40, "6247225157"), std::pair(qint64(53) * 176, "53")}) {
        load(2);
        TestFolder::Write(disk.ClientFile(), FileOf(53));
        ASSERT_EQ(::truncate(NativePath(disk.ClientFile()).constData(), length), 0);
        auto loaded = session.LoadClients();
        ASSERT_TRUE(loaded);
        EXPECT_EQ(std::pair(loaded.value().problem, int(disk.NumClients())),
                  std::pair(ClientFileProblem::TooManyRecords, 0));
        const QString told = QStringLiteral("holds %1 records, more than the 51").arg(records);
        EXPECT_TRUE(loaded.value().message.contains(told)) << told.toStdString();
    }
    EXPECT_EQ(onDisk(), FileOf(53));
}

// Records already there can still be corrected in place; the tail stays.
TEST_F(DataDiskTest, PartialRecordLoadsWholeRecordsAndRefusesAppends) {
    TestFolder::Write(disk.ClientFile(), FileOf(3) + "tail");
    auto loaded = session.LoadClients();
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded.value().message.contains("532 bytes"));
    disk.Clients(2).set(&ClientRecord::Age, "44");
    ASSERT_TRUE(disk.SaveClient(2));
    QByteArray expected = FileOf(3).replace(176 + 25, 2, "44") + "tail";
    EXPECT_EQ(onDisk(), expected);

    session.CurClient = 4;
    disk.Clients(4) = ClientRecord::FromBytes(RecordBytes(4));
    const Status appended = disk.SaveClient(4);
    EXPECT_TRUE(Refused(appended) && Said(appended).contains("damaged"))
        << Said(appended).toStdString();
    EXPECT_EQ(onDisk(), expected);
}

// A full disk loads completely, but takes no more clients.
TEST_F(DataDiskTest, FullDiskLoadsCompletelyAndWritesThatWouldDamageTheFileAreRefused) {
    load(51);
    EXPECT_EQ(std::tuple(disk.NumClients(), session.CurClient), std::tuple(51, 1));
    EXPECT_EQ(disk.Clients(0), ClientRecord());
    EXPECT_EQ(disk.Clients(51).toBytes(), RecordBytes(51));
    EXPECT_TRUE(Said(disk.SaveClient(52)).contains("already holds 51 clients"));
    // Another station appended meanwhile: our append would overwrite its record.
    load(2);
    TestFolder::Write(disk.ClientFile(), FileOf(3));
    session.CurClient = 3;
    EXPECT_TRUE(Said(disk.SaveClient(3)).contains("changed by another station since"));
    EXPECT_EQ(onDisk(), FileOf(3));
    // Another station saved client 2 meanwhile: ours is refused, whole. Client 1, untouched by
    // it, is saved, and so is client 2 again by whoever has loaded the disk since.
    load(3);
    const QByteArray theirs = QByteArray(FileOf(3)).replace(176, 5, "Their");
    TestFolder::Write(disk.ClientFile(), theirs);
    for (int client : {1, 2})
        disk.Clients(client).set(&ClientRecord::Age, "77");
    EXPECT_EQ(Said(disk.SaveClient(2)),
              "Client 2's record on this data disk has been changed by another station since it "
              "was loaded. Nothing was written to it; select the data drive again to reload it.");
    EXPECT_EQ(onDisk(), theirs);
    ASSERT_TRUE(disk.SaveClient(1));
    ASSERT_TRUE(session.LoadClients());
    disk.Clients(2).set(&ClientRecord::Age, "66");
    ASSERT_TRUE(disk.SaveClient(2));
    EXPECT_EQ(onDisk(), QByteArray(theirs).replace(25, 2, "77").replace(176 + 25, 2, "66"));
}

// A failed load leaves the table, a failed append or overwrite the file (a flush that fails takes
// the new bytes away again and flushes that) and the record kept. When the undoing fails too,
// the message says so: the file may then hold bytes the disk never confirmed. The grid's Save
// walks every failed append.
TEST_F(DataDiskTest, DriveErrorsLeaveTheTableAndTheFileAsTheyWere) {
    struct Row {
        int client; // 0: a load; 4: an append; 2: an overwrite, failing once
        DriveOp op;
        int err, times;
        DriveOp undoing = DriveOp::Sync; // fails every time when...
        bool undoFails = false;
        int recordsAfter = 3;
    };
    const Row rows[] = {
        {0, DriveOp::Open, ENOMEDIUM, -1},
        {0, DriveOp::Read, EIO, -1},
        {0, DriveOp::Stat, EIO, -1},
        {4, DriveOp::Sync, EIO, 1},
        {4, DriveOp::Sync, EIO, -1, DriveOp::Sync, true},
        {4, DriveOp::Sync, EIO, 1, DriveOp::Truncate, true, 4},
        {2, DriveOp::Write, ENOSPC, 1},
        {2, DriveOp::Sync, EIO, 1},
        {2, DriveOp::Sync, EIO, -1, DriveOp::Sync, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.client << " op " << int(row.op) << " undo "
                                        << int(row.undoing) << row.undoFails);
        load(3);
        if (row.client != 0) {
            session.CurClient = row.client;
            disk.Clients(row.client) = ClientRecord::FromBytes(RecordBytes(9));
        }
        DriveFaults faults;
        faults.fail(row.op, row.err, {}, row.times);
        if (row.undoFails)
            faults.fail(row.undoing, EIO);
        const QString told =
            row.client == 0 ? Said(session.LoadClients()) : Said(disk.SaveClient(row.client));
        EXPECT_TRUE(told.startsWith(DriveErrorFromErrno(row.err).text())) << told.toStdString();
        const QString undoneNot = row.client == 4 ? "could not be taken off the end of the client"
                                                  : "old record of client 2 could not be put back";
        EXPECT_EQ(told.contains(undoneNot), row.undoFails) << told.toStdString();
        EXPECT_EQ(disk.NumClients(), 3);
        EXPECT_EQ(disk.Clients(3).toBytes(), RecordBytes(3));
        EXPECT_EQ(disk.Clients(row.client).toBytes(),
                  row.client ? RecordBytes(9) : QByteArray(176, ' '));
        EXPECT_EQ(onDisk(), row.recordsAfter == 3 ? FileOf(3) : FileOf(3) + RecordBytes(9));
    }
}

// Indexes beyond the table are refused; another session keeps its own clients.
TEST_F(DataDiskTest, IndexesBeyondTheTableAreRefusedAndSessionsKeepTheirOwn) {
    load(2);
    Session other;
    other.disk.SetDataDrive(folder.path(QStringLiteral(".")));
    ASSERT_TRUE(other.LoadClients());
    EXPECT_EQ(std::tuple(other.disk.NumClients(), other.CurClient, disk.NumClients()),
              std::tuple(0, 0, 2));
    const std::pair<int, bool> indexes[] = {{-1, false}, {0, true},  {2, true},
                                            {3, true},   {4, false}, {52, false}};
    for (auto [index, inTable] : indexes)
        EXPECT_EQ(disk.IsTableIndex(index), inTable) << index;
    for (int index : {-1, 0, 4, 52}) // 0 is no client's
        EXPECT_TRUE(Refused(disk.SaveClient(index))) << index;
    EXPECT_EQ(onDisk(), FileOf(2));
    EXPECT_DEATH((void)disk.Clients(4), "client index");
    session.CurClient = 9;
    EXPECT_DEATH((void)session.CurrentClient(), "client index");
}
