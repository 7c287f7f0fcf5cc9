#include "shell/DiskCheck.h"
#include "DriveFaults.h"
#include "TestFolder.h"
#include "records/Session.h"

#include <QDir>
#include <QFile>

#include <cerrno>

#include <gtest/gtest.h>

using namespace dvq3;
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

} // namespace

// A usable disk starts with a scratch file left by a crash: the check takes it away.
TEST(DiskCheck, WhatMakesADiskUsableAndWhatTheHandlerIsAskedAndTold) {
    struct Row {
        const char* name;
        const char* drive; // nullptr: the test folder's drive
        QByteArray tid;    // null: no TID file
        int clientBytes;   // -1: no client file
        int writeFaults;   // failed write tests; -1: every one
        int retries;
        int error; // 0: the check ran to its end
        bool usable;
        QList<int> errors;
        QString told; // what the handler was told; "..." ends a beginning
        int clients;
    };
    const QByteArray spaced = "  DVQ3  \r\nanything after\r\n";
    const QString notADisk = "critical:" + kNotADataDiskText;
    const QString overfull = "critical:The client file on this data disk holds 52...";
    const QString damaged = "warning:The client file on this data disk is damaged...";
    const Row rows[] = {
        {"good, marker between spaces", nullptr, spaced, -1, 0, 0, 0, true, {}, {}, 0},
        {"marker with more", nullptr, "DVQ3x\r\n", -1, 0, 0, 0, false, {}, notADisk, 0},
        {"marker in lower case", nullptr, "dvq3\n", -1, 0, 0, 0, false, {}, notADisk, 0},
        {"marker not first", nullptr, "\nDVQ3", -1, 0, 0, 0, false, {}, notADisk, 0},
        {"no TID file", nullptr, {}, -1, 0, 0, 53, false, {53}, {}, 0},
        {"no drive", "", "DVQ3\r\n", -1, 0, 0, 53, false, {}, {}, 0},
        {"relative drive", "a:", "DVQ3\r\n", -1, 0, 0, 53, false, {}, {}, 0},
        {"write-protected twice", nullptr, "DVQ3\r\n", -1, 2, 5, 0, true, {70, 70}, {}, 0},
        {"write-protected, given up", nullptr, "DVQ3\r\n", -1, -1, 0, 70, false, {70}, {}, 0},
        {"overfull client file", nullptr, "DVQ3\r\n", 52 * 176, 0, 0, 0, false, {}, overfull, 0},
        {"damaged client file", nullptr, "DVQ3\r\n", 176 + 3, 0, 0, 0, true, {}, damaged, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TestFolder folder;
        Session session;
        const QString drive = row.drive ? QString(row.drive) : folder.drive();
        if (!row.tid.isNull())
            TestFolder::Write(folder.drive() + "/TID", row.tid);
        if (row.clientBytes >= 0)
            TestFolder::Write(folder.drive() + "/DATA401.DVQ", QByteArray(row.clientBytes, ' '));
        if (row.usable)
            TestFolder::Write(folder.drive() + "/checkWriteTest", "left by a crash");
        dvq3test::DriveFaults faults;
        if (row.writeFaults)
            faults.fail(DriveOp::Write, EROFS, "checkWriteTest", row.writeFaults);
        ScriptedHandler handler;
        handler.retries = row.retries;
        auto checked = CheckDataDisk(session, drive, handler);
        EXPECT_EQ(checked ? 0 : checked.error().number(), row.error);
        EXPECT_EQ(checked && checked.value(), row.usable);
        EXPECT_EQ(handler.errors, row.errors);
        const QString told = handler.told.join('|');
        EXPECT_EQ(row.told.endsWith("...") ? told.left(row.told.size() - 3) + "..." : told,
                  row.told);
        EXPECT_EQ(session.disk.DataDrive(), drive);
        if (row.usable) {
            EXPECT_EQ(session.disk.NumClients(), row.clients);
            EXPECT_EQ((QStringList{session.disk.ClientFile(), session.disk.TidFile()}),
                      (QStringList{drive + "/DATA401.DVQ", drive + "/TID"}));
            EXPECT_TRUE(QFile::exists(drive + "/DATA401.DVQ"));
        }
        // A folder without the marker file is left as it was; no check leaves its scratch file.
        if (row.tid.isNull()) {
            EXPECT_TRUE(
                QDir(drive).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        }
        EXPECT_FALSE(QFile::exists(drive + "/checkWriteTest"));
        EXPECT_FALSE(QFile::exists("/DATA401.DVQ"));
        EXPECT_FALSE(QDir("a:").exists());
    }
}
