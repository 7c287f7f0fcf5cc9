#include "DriveFaults.h"
#include "TestFolder.h"
#include "platform/DriveFile.h"
#include "records/Session.h"

#include <QDir>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::DriveFaults;
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

// A fault injected at one operation and the error number it is reported with.
struct FaultCase {
    DriveOp op;
    int err;
    int number;
};

} // namespace

TEST_F(DataDiskTest, MissingFileIsCreatedEmpty) {
    auto loaded = session.LoadClients();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded.value().problem, ClientFileProblem::None);
    EXPECT_EQ(disk.NumClients(), 0);
    EXPECT_EQ(session.CurClient, 0);
    EXPECT_TRUE(QFile::exists(folder.drive() + "/DATA401.DVQ"));
    EXPECT_EQ(onDisk().size(), 0);
}

TEST_F(DataDiskTest, FullDiskLoadsCompletely) {
    load(51);
    EXPECT_EQ(disk.NumClients(), 51);
    EXPECT_EQ(session.CurClient, 1);
    EXPECT_EQ(disk.Clients(0), ClientRecord());
    EXPECT_EQ(disk.Clients(51).toBytes(), RecordBytes(51));
    EXPECT_EQ(disk.Clients(1).toBytes(), RecordBytes(1));
}

TEST_F(DataDiskTest, OverfullFileIsRefusedAndLeftAlone) {
    const QByteArray bytes = FileOf(53);
    TestFolder::Write(disk.ClientFile(), bytes);
    auto loaded = session.LoadClients();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded.value().problem, ClientFileProblem::TooManyRecords);
    EXPECT_TRUE(loaded.value().message.contains("holds 53 records"));
    EXPECT_TRUE(loaded.value().message.contains("51 clients"));
    EXPECT_EQ(disk.NumClients(), 0);
    EXPECT_EQ(onDisk(), bytes);
}

TEST_F(DataDiskTest, HugeOrSpecialClientFilesAreRefusedUnread) {
    // A sparse terabyte: the record count comes from the length alone.
    TestFolder::Write(disk.ClientFile(), {});
    ASSERT_EQ(::truncate(NativePath(disk.ClientFile()).constData(), qint64(1) << 40), 0);
    auto loaded = session.LoadClients();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded.value().problem, ClientFileProblem::TooManyRecords);
    EXPECT_TRUE(loaded.value().message.contains("holds 6247225157 records"));

    QFile::remove(disk.ClientFile());
    ASSERT_EQ(::mkfifo(NativePath(disk.ClientFile()).constData(), 0644), 0);
    auto pipe = session.LoadClients(); // must not wait for a writer
    ASSERT_FALSE(pipe);
    EXPECT_EQ(pipe.error().text(), NotARegularFileText(disk.ClientFile()));
}

TEST_F(DataDiskTest, PartialRecordLoadsWholeRecordsAndRefusesAppends) {
    const QByteArray bytes = FileOf(3) + "tail";
    TestFolder::Write(disk.ClientFile(), bytes);
    auto loaded = session.LoadClients();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded.value().problem, ClientFileProblem::PartialRecord);
    EXPECT_TRUE(loaded.value().message.contains("532 bytes"));
    EXPECT_EQ(disk.NumClients(), 3);

    // Records already there can still be corrected in place; the tail stays.
    disk.Clients(2).set(&ClientRecord::Age, "44");
    ASSERT_TRUE(disk.SaveClient(2));
    EXPECT_EQ(onDisk().mid(176 + 25, 2), QByteArray("44"));
    EXPECT_TRUE(onDisk().endsWith("tail"));

    session.CurClient = 4;
    disk.Clients(4) = ClientRecord::FromBytes(RecordBytes(4));
    auto appended = disk.SaveClient(session.CurClient);
    ASSERT_FALSE(appended);
    EXPECT_TRUE(appended.error().refused());
    EXPECT_TRUE(appended.error().text().contains("damaged"));
    EXPECT_EQ(onDisk().size(), bytes.size());
    EXPECT_TRUE(onDisk().endsWith("tail"));
}

TEST_F(DataDiskTest, SaveWritesOneRecordInPlaceToTheDeviceAndAppendGrowsBy176) {
    load(2);
    disk.Clients(1).set(&ClientRecord::Name, "Renamed");
    {
        DriveFaults faults;
        ASSERT_TRUE(disk.SaveClient(1));
        EXPECT_EQ(faults.count(DriveOp::Sync), 1); // the save reaches the device
    }
    EXPECT_EQ(onDisk().left(7), QByteArray("Renamed"));
    EXPECT_EQ(onDisk().mid(176), RecordBytes(2));

    session.CurClient = disk.NumClients() + 1;
    disk.Clients(session.CurClient) = ClientRecord::FromBytes(RecordBytes(3));
    ASSERT_TRUE(disk.SaveClient(session.CurClient));
    disk.CommitNewClient();
    EXPECT_EQ(disk.NumClients(), 3);
    EXPECT_EQ(onDisk().size(), 3 * 176);
    EXPECT_EQ(onDisk().mid(352), RecordBytes(3));
}

TEST_F(DataDiskTest, WritesThatWouldDamageTheFileAreRefused) {
    load(51);
    auto full = disk.SaveClient(52);
    ASSERT_FALSE(full);
    EXPECT_TRUE(full.error().text().contains("already holds 51 clients"));
    auto gap = disk.SaveClient(0);
    ASSERT_FALSE(gap);
    EXPECT_TRUE(gap.error().refused());

    // Another station appended meanwhile: our append would overwrite its record.
    load(2);
    TestFolder::Write(disk.ClientFile(), FileOf(3));
    session.CurClient = 3;
    auto changed = disk.SaveClient(3);
    ASSERT_FALSE(changed);
    EXPECT_TRUE(changed.error().text().contains("has changed since it was loaded"));
    EXPECT_EQ(onDisk(), FileOf(3));
}

TEST_F(DataDiskTest, LoadErrorsLeaveTheTableAsItWas) {
    load(2);
    for (const FaultCase& c :
         {FaultCase{DriveOp::Open, ENOMEDIUM, 71}, FaultCase{DriveOp::Open, EROFS, 70},
          FaultCase{DriveOp::Read, EIO, 57}, FaultCase{DriveOp::Stat, EIO, 57}}) {
        DriveFaults faults;
        faults.fail(c.op, c.err);
        auto loaded = session.LoadClients();
        ASSERT_FALSE(loaded);
        EXPECT_EQ(loaded.error().number(), c.number);
        EXPECT_EQ(disk.NumClients(), 2);
        EXPECT_EQ(disk.Clients(2).toBytes(), RecordBytes(2));
    }
}

TEST_F(DataDiskTest, SaveErrorsKeepTheRecordAndTheFile) {
    load(2);
    for (const FaultCase& c :
         {FaultCase{DriveOp::Open, EROFS, 70}, FaultCase{DriveOp::Write, ENOSPC, 61},
          FaultCase{DriveOp::Sync, EIO, 57}, FaultCase{DriveOp::Open, ENOENT, 53}}) {
        // An append that fails leaves no partial record behind.
        session.CurClient = 3;
        disk.Clients(3) = ClientRecord::FromBytes(RecordBytes(3));
        DriveFaults faults;
        faults.fail(c.op, c.err);
        auto saved = disk.SaveClient(3);
        ASSERT_FALSE(saved);
        EXPECT_EQ(saved.error().number(), c.number);
        EXPECT_EQ(onDisk(), FileOf(2));
        EXPECT_EQ(disk.NumClients(), 2);
        EXPECT_EQ(disk.Clients(3).toBytes(), RecordBytes(3));
    }
}

TEST_F(DataDiskTest, ClearClientBlanksOnlyTheCurrentRecord) {
    load(2);
    session.CurClient = 2;
    session.ClearClient();
    EXPECT_EQ(disk.Clients(2).toBytes(), QByteArray(176, ' '));
    EXPECT_EQ(disk.Clients(1).toBytes(), RecordBytes(1));
    EXPECT_EQ(onDisk(), FileOf(2));
}

TEST_F(DataDiskTest, TwoSessionsKeepTheirOwnClients) {
    load(3);
    Session other;
    other.disk.SetDataDrive(folder.path(QStringLiteral("other")));
    QDir().mkpath(other.disk.DataDrive());
    ASSERT_TRUE(other.LoadClients());
    EXPECT_EQ(other.disk.NumClients(), 0);
    EXPECT_EQ(other.CurClient, 0);
    EXPECT_EQ(disk.NumClients(), 3);
    EXPECT_EQ(session.CurClient, 1);
}

TEST_F(DataDiskTest, IndexesBeyondTheTableAreRefused) {
    load(2);
    const std::pair<int, bool> indexes[] = {{-1, false}, {0, true},  {2, true},
                                            {3, true},   {4, false}, {52, false}};
    for (auto [index, inTable] : indexes)
        EXPECT_EQ(disk.IsTableIndex(index), inTable) << index;
    for (int index : {-1, 4, 52}) {
        auto saved = disk.SaveClient(index);
        ASSERT_FALSE(saved) << index;
        EXPECT_TRUE(saved.error().refused());
    }
    EXPECT_EQ(onDisk(), FileOf(2));
    EXPECT_DEATH((void)disk.Clients(4), "client index");
    session.CurClient = 9;
    EXPECT_DEATH((void)session.CurrentClient(), "client index");
}

TEST_F(DataDiskTest, FailedOverwriteLeavesTheOldRecord) {
    load(3);
    for (DriveOp op : {DriveOp::Read, DriveOp::Write, DriveOp::Sync}) {
        disk.Clients(2).set(&ClientRecord::Name, "Changed");
        DriveFaults faults;
        faults.fail(op, EIO, {}, 1); // once: putting the old bytes back succeeds
        EXPECT_FALSE(disk.SaveClient(2));
        EXPECT_EQ(onDisk(), FileOf(3)) << int(op);
    }
}
