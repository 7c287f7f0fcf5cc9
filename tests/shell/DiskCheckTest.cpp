#include "shell/DiskCheck.h"
#include "TestFolder.h"
#include "records/Session.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::TestFolder;

namespace {

// Answers the check's questions from a script and keeps what it was told.
struct ScriptedHandler : DiskCheckHandler {
    QList<int> errors; // no failed step is retried
    QStringList told;
    bool retryAfter(const Error& error) override {
        errors << error.number();
        return false;
    }
    void tell(const QString& text, bool critical) override {
        told << (critical ? "critical:" : "warning:") + text;
    }
};

} // namespace

// A usable disk starts with a scratch file left by a crash: the check takes it away. Another
// marker and a write-protected disk, retried or given up, are rows of SelectDataDrive's table,
// no drive at all ("") its "Done without a choice".
TEST(DiskCheck, WhatMakesADiskUsableAndWhatTheHandlerIsAskedAndTold) {
    struct Row {
        // drive: nullptr, the test folder's drive; tid: null, no TID file
        const char *name, *drive;
        QByteArray tid;
        // clientBytes: -1, no client file; error: 0, the check ran to its end
        int clientBytes, error;
        bool usable;
        QList<int> errors;
        QString told; // what the handler was told; "..." ends a beginning
    };
    const QByteArray spaced = "  DVQ3  \r\nanything after\r\n", tid = "DVQ3\r\n";
    const QString notADisk = "critical:" + kNotADataDiskText;
    const QString overfull = "critical:The client file on this data disk holds 52...";
    const QString damaged = "warning:The client file on this data disk is damaged...";
    const Row rows[] = {
        {"good, marker between spaces", nullptr, spaced, -1, 0, true, {}, {}},
        {"marker in lower case", nullptr, "dvq3\n", -1, 0, false, {}, notADisk},
        {"marker not first", nullptr, "\nDVQ3", -1, 0, false, {}, notADisk},
        {"no TID file", nullptr, {}, -1, 53, false, {53}, {}},
        {"relative drive", "a:", tid, -1, 53, false, {}, {}},
        {"overfull client file", nullptr, tid, 52 * 176, 0, false, {}, overfull},
        {"damaged client file", nullptr, tid, 176 + 3, 0, true, {}, damaged},
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
        ScriptedHandler handler;
        auto checked = CheckDataDisk(session, drive, handler);
        EXPECT_EQ(checked ? 0 : checked.error().number(), row.error);
        EXPECT_EQ(checked && checked.value() == DiskState::Usable, row.usable);
        EXPECT_EQ(handler.errors, row.errors);
        const QString told = handler.told.join('|');
        EXPECT_EQ(row.told.endsWith("...") ? told.left(row.told.size() - 3) + "..." : told,
                  row.told);
        EXPECT_EQ(session.disk.DataDrive(), drive);
        if (row.usable) {
            EXPECT_EQ(session.disk.NumClients(), std::max(row.clientBytes, 0) / 176);
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
