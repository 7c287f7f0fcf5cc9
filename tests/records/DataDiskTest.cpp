#include "records/DataDisk.h"
#include "DriveFaults.h"
#include "TestFolder.h"

#include <cerrno>

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

struct ClientDataTest : ::testing::Test {
    TestFolder folder;
    void SetUp() override { SetDataDrive(folder.drive()); }
    QByteArray onDisk() const { return TestFolder::Read(ClientFile); }
};

} // namespace

TEST_F(ClientDataTest, MissingFileIsCreatedEmpty) {
    auto loaded = LoadClients();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded.value().problem, ClientFileProblem::None);
    EXPECT_EQ(NumClients, 0);
    EXPECT_EQ(CurClient, 0);
    EXPECT_TRUE(QFile::exists(folder.drive() + "/DATA401.DVQ"));
    EXPECT_EQ(onDisk().size(), 0);
}

TEST_F(ClientDataTest, FullDiskLoadsCompletely) {
    TestFolder::Write(ClientFile, FileOf(51));
    ASSERT_TRUE(LoadClients());
    EXPECT_EQ(NumClients, 51);
    EXPECT_EQ(CurClient, 1);
    EXPECT_EQ(Clients[0], ClientRecord());
    EXPECT_EQ(Clients[51].toBytes(), RecordBytes(51));
    EXPECT_EQ(Clients[1].toBytes(), RecordBytes(1));
}

TEST_F(ClientDataTest, OverfullFileIsRefusedAndLeftAlone) {
    const QByteArray bytes = FileOf(53);
    TestFolder::Write(ClientFile, bytes);
    auto loaded = LoadClients();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded.value().problem, ClientFileProblem::TooManyRecords);
    EXPECT_TRUE(loaded.value().message.contains("holds 53 records"));
    EXPECT_TRUE(loaded.value().message.contains("51 clients"));
    EXPECT_EQ(NumClients, 0);
    EXPECT_EQ(onDisk(), bytes);
}

TEST_F(ClientDataTest, PartialRecordLoadsWholeRecordsAndRefusesAppends) {
    const QByteArray bytes = FileOf(3) + "tail";
    TestFolder::Write(ClientFile, bytes);
    auto loaded = LoadClients();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded.value().problem, ClientFileProblem::PartialRecord);
    EXPECT_TRUE(loaded.value().message.contains("532 bytes"));
    EXPECT_EQ(NumClients, 3);

    // Records already there can still be corrected in place; the tail stays.
    Clients[2].set(&ClientRecord::Age, "44");
    ASSERT_TRUE(SaveClient(2));
    EXPECT_EQ(onDisk().mid(176 + 25, 2), QByteArray("44"));
    EXPECT_TRUE(onDisk().endsWith("tail"));

    CurClient = 4;
    Clients[4] = ClientRecord::FromBytes(RecordBytes(4));
    auto appended = SaveClient(CurClient);
    ASSERT_FALSE(appended);
    EXPECT_TRUE(appended.error().refused());
    EXPECT_TRUE(appended.error().text().contains("damaged"));
    EXPECT_EQ(onDisk().size(), bytes.size());
    EXPECT_TRUE(onDisk().endsWith("tail"));
}

TEST_F(ClientDataTest, SaveWritesOneRecordInPlaceAndAppendGrowsBy176) {
    TestFolder::Write(ClientFile, FileOf(2));
    ASSERT_TRUE(LoadClients());
    Clients[1].set(&ClientRecord::Name, "Renamed");
    ASSERT_TRUE(SaveClient(1));
    EXPECT_EQ(onDisk().left(7), QByteArray("Renamed"));
    EXPECT_EQ(onDisk().mid(176), RecordBytes(2));

    CurClient = NumClients + 1;
    Clients[CurClient] = ClientRecord::FromBytes(RecordBytes(3));
    ASSERT_TRUE(SaveClient(CurClient));
    CommitNewClient();
    EXPECT_EQ(NumClients, 3);
    EXPECT_EQ(onDisk().size(), 3 * 176);
    EXPECT_EQ(onDisk().mid(352), RecordBytes(3));
}

TEST_F(ClientDataTest, WritesThatWouldDamageTheFileAreRefused) {
    TestFolder::Write(ClientFile, FileOf(51));
    ASSERT_TRUE(LoadClients());
    auto full = SaveClient(52);
    ASSERT_FALSE(full);
    EXPECT_TRUE(full.error().text().contains("already holds 51 clients"));
    auto gap = SaveClient(0);
    ASSERT_FALSE(gap);
    EXPECT_TRUE(gap.error().refused());

    // Another station appended meanwhile: our append would overwrite its record.
    TestFolder::Write(ClientFile, FileOf(2));
    ASSERT_TRUE(LoadClients());
    TestFolder::Write(ClientFile, FileOf(3));
    CurClient = 3;
    auto changed = SaveClient(3);
    ASSERT_FALSE(changed);
    EXPECT_TRUE(changed.error().text().contains("has changed since it was loaded"));
    EXPECT_EQ(onDisk(), FileOf(3));
}

TEST_F(ClientDataTest, LoadErrorsLeaveTheTableAsItWas) {
    TestFolder::Write(ClientFile, FileOf(2));
    ASSERT_TRUE(LoadClients());
    struct Case {
        DriveOp op;
        int err;
        int number;
    };
    for (const Case& c : {Case{DriveOp::Open, ENOMEDIUM, 71}, Case{DriveOp::Open, EROFS, 70},
                          Case{DriveOp::Read, EIO, 57}, Case{DriveOp::Stat, EIO, 57}}) {
        DriveFaults faults;
        faults.fail(c.op, c.err);
        auto loaded = LoadClients();
        ASSERT_FALSE(loaded);
        EXPECT_EQ(loaded.error().number(), c.number);
        EXPECT_EQ(NumClients, 2);
        EXPECT_EQ(Clients[2].toBytes(), RecordBytes(2));
    }
}

TEST_F(ClientDataTest, SaveErrorsKeepTheRecordAndTheFile) {
    TestFolder::Write(ClientFile, FileOf(2));
    ASSERT_TRUE(LoadClients());
    struct Case {
        DriveOp op;
        int err;
        int number;
    };
    for (const Case& c : {Case{DriveOp::Open, EROFS, 70}, Case{DriveOp::Write, ENOSPC, 61},
                          Case{DriveOp::Sync, EIO, 57}, Case{DriveOp::Open, ENOENT, 53}}) {
        // An append that fails leaves no partial record behind.
        CurClient = 3;
        Clients[3] = ClientRecord::FromBytes(RecordBytes(3));
        DriveFaults faults;
        faults.fail(c.op, c.err);
        auto saved = SaveClient(3);
        ASSERT_FALSE(saved);
        EXPECT_EQ(saved.error().number(), c.number);
        EXPECT_EQ(onDisk(), FileOf(2));
        EXPECT_EQ(NumClients, 2);
        EXPECT_EQ(Clients[3].toBytes(), RecordBytes(3));
    }
}

TEST_F(ClientDataTest, SaveReachesTheDevice) {
    TestFolder::Write(ClientFile, FileOf(1));
    ASSERT_TRUE(LoadClients());
    DriveFaults faults;
    ASSERT_TRUE(SaveClient(1));
    EXPECT_EQ(faults.count(DriveOp::Sync), 1);
}

TEST_F(ClientDataTest, ClearClientBlanksOnlyTheCurrentRecord) {
    TestFolder::Write(ClientFile, FileOf(2));
    ASSERT_TRUE(LoadClients());
    CurClient = 2;
    ClearClient();
    EXPECT_EQ(Clients[2].toBytes(), QByteArray(176, ' '));
    EXPECT_EQ(Clients[1].toBytes(), RecordBytes(1));
    EXPECT_EQ(onDisk(), FileOf(2));
}
