#include "platform/DriveFile.h"
#include "DriveFaults.h"
#include "TestFolder.h"
#include "ToolRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::Said;
using dvq3test::TestFolder;

TEST(DriveError, MapsErrnoToTheHandledNumbers) {
    const std::pair<std::vector<int>, const char*> cases[] = {
        {{ENOENT}, "Error 53:File not found"},
        {{EACCES, EPERM, EROFS}, "Error 70:Permission denied"},
        {{EIO}, "Error 57:Device I/O error"},
        {{ENXIO, ENODEV, ENOMEDIUM}, "Error 71:Disk not ready"},
        {{ENAMETOOLONG, EINVAL}, "Error 52:Bad file name or number"},
        {{ENOSPC}, "Error 61:Disk full"}};
    for (const auto& [errs, text] : cases)
        for (int err : errs)
            EXPECT_EQ(DriveErrorFromErrno(err).text(), text) << err;
    EXPECT_EQ(DriveErrorFromErrno(ENOENT, true).text(), "Error 76:Path not found");
}

TEST(DriveFile, FaultsStopTheOperationWithTheirNumber) {
    TestFolder folder;
    const QString path = folder.drive() + "/file", notFound = "Error 53:File not found";
    const QString noPath = "Error 76:Path not found", deviceError = "Error 57:Device I/O error";
    EXPECT_EQ(Said(ReadDriveFile(folder.drive() + "/nothing")), notFound);
    DriveFile file;
    EXPECT_EQ(Said(file.open(folder.path("no/such/x.DVQ"), DriveFile::Mode::ReadWriteCreate)),
              noPath);
    // An injected ENOENT names the missing folder only where an open meets it.
    dvq3test::DriveFaults faults;
    faults.fail(DriveOp::Open, ENOENT, {}, 1);
    EXPECT_EQ(Said(file.open(folder.path("no/DATA401.DVQ"), DriveFile::Mode::ReadOnly)), noPath);
    TestFolder::Write(folder.drive() + "/short", "abc");
    ASSERT_TRUE(file.open(folder.drive() + "/short", DriveFile::Mode::ReadOnly));
    EXPECT_EQ(file.readAt(1, 10).value(), QByteArray("bc")); // a short file reads what is there
    faults.fail(DriveOp::Read, ENOENT, {}, 1);
    EXPECT_EQ(Said(file.readAt(0, 3)), notFound);

    faults.fail(DriveOp::Write, EROFS, {}, 1);
    EXPECT_EQ(Said(WriteDriveFile(path, "abc")), "Error 70:Permission denied");
    ASSERT_TRUE(WriteDriveFile(path, "abc")); // the fault was for one write only
    EXPECT_EQ(TestFolder::Read(path), QByteArray("abc"));
    EXPECT_EQ(faults.count(DriveOp::Sync), 1); // the failed write never reached its flush
    faults.fail(DriveOp::Remove, EIO);
    EXPECT_EQ(Said(RemoveDriveFile(path)), deviceError);
    EXPECT_TRUE(DriveFileExists(path).value());
    // A file whose kind cannot be told is the device's error, to be retried, not a refusal.
    faults.fail(DriveOp::Stat, EIO, {}, 1);
    EXPECT_EQ(Said(ReadDriveFile(path)), deviceError);
}

// The system would take a path as ending at its NUL: "victim\0/x" would name the victim.
TEST(DriveFile, APathHoldingANulReachesNoSystemCall) {
    TestFolder folder;
    const QString victim = folder.drive() + "/victim.txt";
    TestFolder::Write(victim, "agency notes");
    const QString path = victim + QChar(0) + "/checkWriteTest";
    dvq3test::DriveFaults faults;
    const QString told = NulPathText(path);
    EXPECT_EQ(
        (QStringList{Said(ReadDriveFile(path, DriveFile::Mode::ReadWriteCreate)),
                     Said(WriteDriveFile(path, "test\r\n")), Said(ReplaceFile(path, "report")),
                     Said(RemoveDriveFile(path)), Said(DriveFileExists(path))}),
        QStringList(5, told));
    EXPECT_FALSE(FolderWritable(path));
    EXPECT_TRUE(told.contains(QDir::toNativeSeparators(victim) + "\\0/checkWriteTest"));
    for (DriveOp op : {DriveOp::Open, DriveOp::Stat, DriveOp::Remove, DriveOp::Rename})
        EXPECT_EQ(faults.count(op), 0) << int(op);
    EXPECT_EQ(TestFolder::Read(victim), QByteArray("agency notes"));
    EXPECT_EQ(TestFolder::Entries(folder.drive()), QStringList{"victim.txt"});
}

TEST(ReplaceFile, AFaultAtAnyStepLeavesTheOldFileAndNoTemporary) {
    const DriveOp steps[] = {DriveOp::Open, DriveOp::Write, DriveOp::Sync, DriveOp::Close,
                             DriveOp::Rename};
    for (DriveOp step : steps) {
        for (int err : {EIO, ENOSPC, EROFS}) {
            TestFolder folder;
            const QString path = folder.drive() + "/report.prn";
            TestFolder::Write(path, "old report");
            dvq3test::DriveFaults faults;
            faults.fail(step, err);
            EXPECT_EQ(Said(ReplaceFile(path, "new report")), DriveErrorFromErrno(err).text())
                << int(step);
            EXPECT_EQ(TestFolder::Read(path), QByteArray("old report"));
            EXPECT_EQ(TestFolder::Entries(folder.drive()), QStringList{"report.prn"});
        }
    }
}

TEST(ReplaceFile, ReplacesWholeFlushesAndNeverFollowsAPlantedLink) {
    TestFolder folder;
    const QString path = folder.drive() + "/dvq3test.ini";
    const QString victim = folder.path("DATA401.DVQ");
    TestFolder::Write(victim, "client records");
    // Links planted at the first temporary names are passed over, their targets untouched.
    const QString prefix = folder.drive() + "/.dvq3test.ini." + QString::number(getpid()) + '.';
    for (int n = 0; n < 3; ++n)
        ASSERT_TRUE(QFile::link(victim, prefix + QString::number(n) + ".tmp"));
    dvq3test::DriveFaults faults;
    ASSERT_TRUE(ReplaceFile(path, "[Path]\r\n"));
    const auto files = [&] { return std::pair(TestFolder::Read(path), TestFolder::Read(victim)); };
    EXPECT_EQ(files(), std::pair(QByteArray("[Path]\r\n"), QByteArray("client records")));
    EXPECT_EQ(std::pair(faults.count(DriveOp::Sync), faults.count(DriveOp::SyncFolder)),
              std::pair(1, 1));
    EXPECT_EQ(TestFolder::Entries(folder.drive()).size(), 4); // the file and the three links

    // With every name taken the write fails and says so; nothing is touched.
    for (int n = 3; n < 100; ++n)
        ASSERT_TRUE(QFile::link(victim, prefix + QString::number(n) + ".tmp"));
    ASSERT_FALSE(ReplaceFile(path, "other"));
    EXPECT_EQ(files(), std::pair(QByteArray("[Path]\r\n"), QByteArray("client records")));
}

// Under the usual umask 022 (set by the tests' main): client data for its user alone, a mode
// the agency made stricter kept, a folder made for client data closed to others.
TEST(ReplaceFile, ClientDataIsPrivateAndAStricterModeIsKept) {
    TestFolder folder;
    const QString path = folder.drive() + "/file";
    // The permissions asked for, the old file's mode (-1: none), the new file's mode.
    const std::tuple<int, int, int> cases[] = {
        {kPrivateFile, -1, 0600},  {kSharedFile, -1, 0644},    {kSharedFile, 0640, 0640},
        {kSharedFile, 0600, 0600}, {kPrivateFile, 0644, 0600}, {kSharedFile, 0664, 0644}};
    for (const auto& [permissions, before, after] : cases) {
        QFile::remove(path);
        if (before >= 0) {
            TestFolder::Write(path, "old");
            ASSERT_EQ(::chmod(NativePath(path).constData(), before), 0);
        }
        ASSERT_TRUE(ReplaceFile(path, "new", permissions));
        EXPECT_EQ(TestFolder::Mode(path), after) << std::oct << permissions << ' ' << before;
    }
    const QString made = folder.drive() + "/user/data/dvq3";
    ASSERT_TRUE(MakePrivateFolder(made));
    for (const QString& f : {made, folder.drive() + "/user/data", folder.drive() + "/user"})
        EXPECT_EQ(TestFolder::Mode(f), 0700) << f.toStdString();
    EXPECT_EQ(TestFolder::Mode(folder.drive()), 0755); // there already: left as it is
    EXPECT_TRUE(MakePrivateFolder(made));
    EXPECT_EQ(MakePrivateFolder(path + "/below").error().number(), 76); // a file in the way
}

// A killed writer's temporary holds the whole new file: the next writer of that file removes
// it, but never one of a live writer (a running process, or a lock held, as a writer on another
// machine sharing the folder holds it), nor another file's, nor anything through a link.
TEST(ReplaceFile, RemovesWhatAKilledWriterLeftAndNothingElse) {
    TestFolder folder;
    const QString path = folder.drive() + "/report.prn";
    const int dead = dvq3test::EndedProcessId();
    const auto temporary = [&](const QString& target, int pid, int n) {
        return folder.drive() + "/." + target + '.' + QString::number(pid) + '.' +
               QString::number(n) + ".tmp";
    };
    const QString killed = temporary("report.prn", dead, 0);
    const QString second = temporary("report.prn", dead, 7);
    const QString live = temporary("report.prn", ::getppid(), 0);
    const QString held = temporary("report.prn", dead, 1);
    const QString other = temporary("temp1", dead, 0);
    const QString link = temporary("report.prn", dead, 2);
    for (const QString& file : {killed, second, live, held, other})
        TestFolder::Write(file, "Ann Lee's whole report");
    ASSERT_TRUE(QFile::link(folder.path("victim"), link));
    QFile lock(held);
    ASSERT_TRUE(lock.open(QIODevice::ReadOnly));
    ASSERT_EQ(::flock(lock.handle(), LOCK_EX), 0);
    ASSERT_TRUE(ReplaceFile(path, "the next report"));
    QStringList kept{"report.prn"};
    for (const QString& file : {live, held, other, link})
        kept << QFileInfo(file).fileName();
    kept.sort();
    EXPECT_EQ(TestFolder::Entries(folder.drive()), kept);
}

// Where links are refused, a link to a file or to nothing is refused like a pipe; its target is
// neither read, written nor created.
TEST(DriveFile, OnlyRegularFilesOfASaneSizeAreRead) {
    TestFolder folder;
    const QString pipe = folder.drive() + "/DATA401.DVQ";
    ASSERT_EQ(mkfifo(NativePath(pipe).constData(), 0644), 0);
    const QString link = folder.drive() + "/TID", dangling = folder.drive() + "/checkWriteTest";
    const QString target = folder.path("elsewhere"), nothing = folder.path("nothing");
    TestFolder::Write(target, "DVQ3\r\n");
    ASSERT_TRUE(QFile::link(target, link) && QFile::link(nothing, dangling));
    using enum DriveFile::Mode;
    const auto refuse = DriveFile::Links::Refuse;
    const std::tuple<QString, DriveFile::Mode, DriveFile::Links> refused[] = {
        {pipe, ReadOnly, {}},
        {pipe, ReadWriteCreate, {}},
        {folder.drive(), ReadOnly, {}},
        {folder.drive(), ReadWriteCreate, {}},
        {QStringLiteral("/dev/null"), ReadOnly, {}},
        {link, ReadOnly, refuse},
        {link, ReadWriteCreate, refuse},
        {dangling, ReadWriteCreate, refuse},
    };
    for (const auto& [path, mode, links] : refused) // a pipe must not block
        EXPECT_EQ(Said(ReadDriveFile(path, mode, kMaxWholeFile, links)), NotARegularFileText(path));
    EXPECT_FALSE(WriteDriveFile(dangling, "test\r\n")); // created only where nothing is
    EXPECT_EQ(TestFolder::Read(target), QByteArray("DVQ3\r\n"));
    EXPECT_FALSE(QFile::exists(nothing));
    // Nor is anything but a regular file replaced: the device stays a device.
    EXPECT_EQ(Said(ReplaceFile("/dev/full", "report")), NotARegularFileText("/dev/full"));
    EXPECT_FALSE(ReplaceFile(pipe, "x"));
    struct stat device {};
    ASSERT_EQ(::stat("/dev/full", &device), 0);
    EXPECT_TRUE(S_ISCHR(device.st_mode));
    const QString big = folder.drive() + "/big";
    TestFolder::Write(big, QByteArray(101, 'x'));
    EXPECT_EQ(Said(ReadDriveFile(big, DriveFile::Mode::ReadOnly, 100)), FileTooLargeText(big, 101));
    EXPECT_TRUE(ReadDriveFile(big, DriveFile::Mode::ReadOnly, 101));
}
