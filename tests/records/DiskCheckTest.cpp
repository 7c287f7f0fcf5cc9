#include "records/DiskCheck.h"
#include "TestFolder.h"
#include "platform/DriveFile.h"
#include "station/Session.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::TestFolder;

namespace {

// An error's number, -1 for a refusal.
int Number(const Error& error) {
    return error.isDriveFault() ? error.number() : -1;
}

// Answers the check's questions from a script and keeps what it was told.
struct ScriptedHandler : DiskCheckHandler {
    QList<int> errors; // no failed step is retried
    QStringList told;
    bool retryAfter(const Error& error) override {
        errors << Number(error);
        return false;
    }
    void tell(const QString& text, bool critical) override {
        told << (critical ? "critical:" : "warning:") + text;
    }
};

} // namespace

// A usable disk starts with a scratch file left by a crash: the check takes it away. Another
// marker and a write-protected disk, retried or given up, are rows of SelectDataDrive's table,
// no drive at all ("") its "Done without a choice". A link at any of the disk's files points
// outside the disk, at a file (of the marker's bytes) or at nothing: it is never followed.
TEST(DiskCheck, WhatMakesADiskUsableAndWhatTheHandlerIsAskedAndTold) {
    struct Row {
        // drive: nullptr, the test folder's drive; "nul", the outside file's path, a NUL and more
        const char *name, *drive;
        QByteArray tid; // null: no TID file
        // clientBytes: -1, no client file; error: 0, the check ran to its end; -1, a refusal
        int clientBytes, error;
        bool usable;
        QList<int> errors;
        QString told;      // what the handler was told; "..." ends a beginning
        const char* after; // the drive folder's entries after the check
        const char* link = nullptr;
        bool dangling = false;
    };
    const QByteArray spaced = "  DVQ3  \r\nanything after\r\n", tid = "DVQ3\r\n";
    const QString notADisk = "critical:" + kNotADataDiskText;
    const QString overfull = "critical:The client file on this data disk holds 52...";
    const QString damaged = "warning:The client file on this data disk is damaged...";
    const char *used = "DATA401.DVQ DATA401.LCK TID", *loaded = "DATA401.DVQ TID";
    const char *dvq = "DATA401.DVQ", *lck = "DATA401.LCK", *wt = "checkWriteTest";
    const Row rows[] = {
        {"good, marker between spaces", nullptr, spaced, -1, 0, true, {}, {}, used},
        {"marker in lower case", nullptr, "dvq3\n", -1, 0, false, {}, notADisk, loaded},
        {"marker not first", nullptr, "\nDVQ3", -1, 0, false, {}, notADisk, loaded},
        {"no TID file", nullptr, {}, -1, 53, false, {53}, {}, ""},
        {"relative drive", "a:", tid, -1, 53, false, {}, {}, "TID"},
        {"overfull client file", nullptr, tid, 52 * 176, 0, false, {}, overfull, loaded},
        {"damaged client file", nullptr, tid, 176 + 3, 0, true, {}, damaged, used},
        {"NUL in the drive", "nul", tid, -1, 0, false, {}, "critical:@nul", "TID"},
        {"client file a link", nullptr, tid, -1, -1, false, {-1}, {}, loaded, dvq},
        {"client file links nowhere", nullptr, tid, -1, -1, false, {-1}, {}, loaded, dvq, true},
        {"TID a link", nullptr, {}, -1, -1, false, {-1}, {}, "TID", "TID"},
        {"lock file a link", nullptr, tid, -1, -1, false, {-1}, {}, "DATA401.LCK TID", lck},
        {"write test a link", nullptr, tid, -1, 0, true, {}, {}, used, wt},
        {"write test links nowhere", nullptr, tid, -1, 0, true, {}, {}, used, wt, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TestFolder folder;
        Session session;
        const QString outside = folder.path("outside"), nothing = folder.path("nothing");
        TestFolder::Write(outside, tid);
        QString drive = row.drive ? QString(row.drive) : folder.drive();
        if (drive == "nul")
            drive = outside + QChar(0) + "/x";
        if (!row.tid.isNull())
            TestFolder::Write(folder.drive() + "/TID", row.tid);
        if (row.clientBytes >= 0)
            TestFolder::Write(folder.drive() + "/DATA401.DVQ", QByteArray(row.clientBytes, ' '));
        if (row.link)
            ASSERT_TRUE(
                QFile::link(row.dangling ? nothing : outside, folder.drive() + '/' + row.link));
        else if (row.usable)
            TestFolder::Write(folder.drive() + "/checkWriteTest", "left by a crash");
        ScriptedHandler handler;
        auto checked = CheckDataDisk(session, drive, handler);
        EXPECT_EQ(checked ? 0 : Number(checked.error()), row.error);
        EXPECT_EQ(checked && checked.value() == DiskState::Usable, row.usable);
        EXPECT_EQ(handler.errors, row.errors);
        const QString told = handler.told.join('|');
        const QString expected = QString(row.told).replace("@nul", NulPathText(drive));
        EXPECT_EQ(expected.endsWith("...") ? told.left(expected.size() - 3) + "..." : told,
                  expected);
        EXPECT_EQ(session.disk.DataDrive(), drive);
        if (row.usable) {
            EXPECT_EQ(session.disk.NumClients(), std::max(row.clientBytes, 0) / 176);
        }
        // Nothing is created where the check stopped, no check leaves its scratch file, and the
        // lock is held only by a disk in use.
        EXPECT_EQ(TestFolder::Entries(folder.drive()).join(' '), row.after);
        EXPECT_EQ(TestFolder::Read(outside), tid);
        EXPECT_FALSE(QFile::exists(nothing));
        EXPECT_FALSE(QFile::exists("/DATA401.DVQ"));
        EXPECT_FALSE(QDir("a:").exists());
    }
}

// A second station (another program folder or user) finds the first one's lock and is told who
// holds the disk, in the words of the first one's lock file. The lock moves with the station to
// another disk; a lock file left by a killed station holds nothing.
TEST(DiskCheck, OneStationAtATimeUsesADisk) {
    TestFolder folder;
    const QString disk = folder.drive(), other = folder.path("other");
    for (const QString& drive : {disk, other}) {
        QDir().mkpath(drive);
        TestFolder::Write(drive + "/TID", "DVQ3\r\n");
    }
    TestFolder::Write(disk + "/DATA401.LCK", "Host=gone\r\nUser=nobody\r\nProcess=1\r\n");
    Session first, second;
    ScriptedHandler toFirst, toSecond;
    const auto usable = DiskState::Usable;
    ASSERT_EQ(CheckDataDisk(first, disk, toFirst).value(), usable);
    EXPECT_NE(CheckDataDisk(second, disk, toSecond).value(), usable);
    EXPECT_EQ(toSecond.told,
              QStringList{"critical:" + DiskInUseText(disk, dvq3test::ThisStation())});
    EXPECT_EQ(CheckDataDisk(first, disk, toFirst).value(), usable); // its own disk checked again
    EXPECT_EQ(CheckDataDisk(first, other, toFirst).value(), usable);
    EXPECT_EQ(TestFolder::Entries(disk).join(' '), "DATA401.DVQ TID");
    EXPECT_EQ(CheckDataDisk(second, disk, toSecond).value(), usable);
    EXPECT_NE(CheckDataDisk(first, disk, toFirst).value(), usable);
    EXPECT_TRUE(toFirst.errors.isEmpty());
    EXPECT_EQ(TestFolder::Entries(other).join(' '),
              "DATA401.DVQ DATA401.LCK TID"); // still the first one's
}
