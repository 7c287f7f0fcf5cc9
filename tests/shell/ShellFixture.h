#pragma once

#include "MessageRecorder.h"
#include "TestFolder.h"
#include "platform/IniFile.h"
#include "platform/IniPaths.h"
#include "records/Session.h"

#include <QDir>

namespace dvq3test {

// A program folder with data disks in it: good ones (TID marker, a client file of n clients).
struct ShellFixture {
    TestFolder folder;
    MessageRecorder messages;
    dvq3::Session session;

    QString makeDisk(const QString& name, int clients, const QByteArray& tid = "DVQ3\r\n") {
        const QString disk = folder.path(name);
        QDir().mkpath(disk);
        if (!tid.isNull())
            TestFolder::Write(disk + "/TID", tid);
        QByteArray bytes;
        for (int i = 1; i <= clients; ++i) {
            dvq3::ClientRecord record;
            record.set(&dvq3::ClientRecord::Name, QStringLiteral("%1 Client-%2").arg(name).arg(i));
            bytes += record.toBytes();
        }
        TestFolder::Write(disk + "/DATA401.DVQ", bytes);
        return disk;
    }
    void writeIniFilePath(const QString& drive) { (void)dvq3::WriteINIFilePath(drive); }
    QString iniFilePath() const {
        return dvq3::IniFile::Parse(TestFolder::Read(folder.path("dvq3test.ini")))
            .value("Path", "FilePath", "<none>");
    }
};

} // namespace dvq3test
