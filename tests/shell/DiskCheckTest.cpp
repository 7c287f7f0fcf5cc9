#include "shell/DiskCheck.h"
#include "DriveFaults.h"
#include "TestFolder.h"
#include "records/Session.h"

#include <QDir>
#include <QFile>

#include <cerrno>

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::DriveFaults;
using dvq3test::TestFolder;

namespace {

// Answers the check's questions from a script and keeps what it was told.
struct ScriptedHandler : DiskCheckHandler {
    int retries = 0; // how many failed steps to retry
    QList<int> errors;
    QStringList told;
    bool retryAfter(const Error& error) override {
        errors << error.number();
        return retries-- > 0;
    }
    void tell(const QString& text, bool critical) override {
        told << (critical ? "critical:" : "warning:") + text;
    }
};

struct DiskCheckTest : ::testing::Test {
    TestFolder folder;
    Session session;
    QString disk() const { return folder.drive(); }
    void writeTid(const QByteArray& text) { TestFolder::Write(disk() + "/TID", text); }
};

} // namespace

TEST_F(DiskCheckTest, GoodDiskPassesAndLeavesNoScratchFile) {
    writeTid("  DVQ3  \r\nanything after\r\n");
    TestFolder::Write(disk() + "/checkWriteTest", "left by a crash");
    ScriptedHandler handler;
    auto checked = CheckDataDisk(session, disk(), handler);
    ASSERT_TRUE(checked);
    EXPECT_TRUE(checked.value());
    EXPECT_EQ(session.disk.DataDrive(), disk());
    EXPECT_EQ(session.disk.ClientFile(), disk() + "/DATA401.DVQ");
    EXPECT_EQ(session.disk.TidFile(), disk() + "/TID");
    EXPECT_FALSE(QFile::exists(disk() + "/checkWriteTest"));
    EXPECT_TRUE(handler.told.isEmpty());
}

TEST_F(DiskCheckTest, MarkerMustBeTheWholeFirstLine) {
    for (const QByteArray& tid :
         {QByteArray("DVQ3x\r\n"), QByteArray("dvq3\n"), QByteArray("\nDVQ3")}) {
        writeTid(tid);
        ScriptedHandler handler;
        auto checked = CheckDataDisk(session, disk(), handler);
        ASSERT_TRUE(checked) << tid.constData();
        EXPECT_FALSE(checked.value()) << tid.constData();
        EXPECT_EQ(handler.told, QStringList{"critical:" + kNotADataDiskText});
        EXPECT_FALSE(QFile::exists(disk() + "/checkWriteTest"));
    }
}

TEST_F(DiskCheckTest, WithoutTheMarkerFileNothingIsCreatedButWithItTheClientFileIs) {
    ScriptedHandler handler;
    auto checked = CheckDataDisk(session, disk(), handler);
    ASSERT_FALSE(checked);
    EXPECT_EQ(checked.error().number(), 53);
    EXPECT_EQ(handler.errors, QList<int>{53});
    EXPECT_TRUE(QDir(disk()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));

    writeTid("DVQ3\r\n");
    ASSERT_TRUE(CheckDataDisk(session, disk(), handler));
    EXPECT_TRUE(QFile::exists(disk() + "/DATA401.DVQ"));
}

TEST_F(DiskCheckTest, EmptyOrRelativeDriveNeverReachesTheFileSystem) {
    for (const QString& drive : {QString(), QStringLiteral("a:")}) {
        ScriptedHandler handler;
        auto checked = CheckDataDisk(session, drive, handler);
        ASSERT_FALSE(checked);
        EXPECT_EQ(checked.error().number(), 53);
        EXPECT_EQ(session.disk.DataDrive(), drive);
    }
    EXPECT_FALSE(QFile::exists("/DATA401.DVQ"));
    EXPECT_FALSE(QFile::exists("/checkWriteTest"));
    EXPECT_FALSE(QDir("a:").exists());
}

TEST_F(DiskCheckTest, WriteProtectedDiskIsRetriedUntilTheHandlerGivesUp) {
    writeTid("DVQ3\r\n");
    DriveFaults faults;
    faults.fail(DriveOp::Write, EROFS, "checkWriteTest", 2);
    ScriptedHandler handler;
    handler.retries = 5;
    auto checked = CheckDataDisk(session, disk(), handler);
    ASSERT_TRUE(checked);
    EXPECT_TRUE(checked.value());
    EXPECT_EQ(handler.errors, (QList<int>{70, 70}));

    faults.fail(DriveOp::Write, EROFS, "checkWriteTest");
    ScriptedHandler givingUp;
    auto refused = CheckDataDisk(session, disk(), givingUp);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().number(), 70);
    EXPECT_FALSE(QFile::exists(disk() + "/checkWriteTest"));
}

TEST_F(DiskCheckTest, ClientFileProblemsAreTold) {
    writeTid("DVQ3\r\n");
    TestFolder::Write(disk() + "/DATA401.DVQ", QByteArray(52 * 176, ' '));
    ScriptedHandler overfull;
    auto refused = CheckDataDisk(session, disk(), overfull);
    ASSERT_TRUE(refused);
    EXPECT_FALSE(refused.value());
    ASSERT_EQ(overfull.told.size(), 1);
    EXPECT_TRUE(overfull.told[0].startsWith("critical:The client file on this data disk holds 52"));

    TestFolder::Write(disk() + "/DATA401.DVQ", QByteArray(176 + 3, ' '));
    ScriptedHandler damaged;
    auto loaded = CheckDataDisk(session, disk(), damaged);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded.value()); // whole records are usable; appends are refused later
    ASSERT_EQ(damaged.told.size(), 1);
    EXPECT_TRUE(damaged.told[0].startsWith("warning:The client file on this data disk is damaged"));
    EXPECT_EQ(session.disk.NumClients(), 1);
}
