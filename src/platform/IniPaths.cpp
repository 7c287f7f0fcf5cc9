#include "platform/IniPaths.h"

#include "platform/DriveFile.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"

#include <QDir>

#include <algorithm>

namespace dvq3 {
namespace {

// Every key read and written here is a path: read whole, since a folder's name cut short names
// another folder, and as the file system's bytes.
QString ReadKey(const QString& section, const QString& key, const QString& fallback) {
    auto ini = IniFile::Load(IniFilePath());
    return ini ? ini.value().pathValue(section, key, fallback) : fallback;
}

Status WriteKey(const QString& section, const QString& key, const QString& value) {
    auto ini = IniFile::Load(IniFilePath());
    if (!ini)
        return ini.error();
    // Writing what is already there would only risk the file.
    const QString absent(1, QChar(0)); // no line of the file can hold it
    if (ini.value().pathValue(section, key, absent) == value)
        return {};
    IniFile changed = ini.value();
    changed.setPathValue(section, key, value);
    return changed.save(IniFilePath());
}

} // namespace

namespace {

const QString kIniName = QStringLiteral("dvq3test.ini");

} // namespace

QString UserIniFilePath() {
    return UserConfigFolder() + u'/' + kIniName;
}

QString IniFilePath() {
    if (!ProgramFolderWritable()) {
        auto exists = DriveFileExists(UserIniFilePath());
        if (exists && exists.value())
            return UserIniFilePath();
    }
    return ProgramFile(kIniName);
}

Status PrepareUserSettings() {
    if (ProgramFolderWritable())
        return {};
    if (auto exists = DriveFileExists(UserIniFilePath()); !exists || exists.value())
        return exists ? Status() : Status(exists.error());
    auto shipped = IniFile::Load(ProgramFile(kIniName));
    if (!shipped)
        return shipped.error();
    if (auto made = MakePrivateFolder(UserConfigFolder()); !made)
        return made;
    IniFile settings = shipped.value();
    const QString bundled = ProgramFile(QStringLiteral("SampleDisk"));
    const QString named =
        settings.pathValue(QStringLiteral("Path"), QStringLiteral("FilePath"), {});
    if (QDir::cleanPath(named) == bundled && QDir(bundled).exists()) {
        // The copy is a data disk like any other: its clients are the user's alone.
        const QString copy = UserDataFolder() + QStringLiteral("/SampleDisk");
        if (auto made = MakePrivateFolder(copy); !made)
            return made;
        for (const QString& name : QDir(bundled).entryList(QDir::Files)) {
            if (auto there = DriveFileExists(copy + u'/' + name); !there || there.value())
                continue;
            auto bytes = ReadDriveFile(bundled + u'/' + name);
            if (!bytes)
                return bytes.error();
            if (auto written = ReplaceFile(copy + u'/' + name, bytes.value(), kPrivateFile);
                !written)
                return written;
        }
        settings.setPathValue(QStringLiteral("Path"), QStringLiteral("FilePath"), copy);
    }
    return settings.save(UserIniFilePath());
}

Status CheckINIReadable() {
    auto ini = IniFile::Load(IniFilePath());
    return ini ? Status() : Status(ini.error());
}

QString GetINIFilePath() {
    return ReadKey(QStringLiteral("Path"), QStringLiteral("FilePath"), QStringLiteral("a:"));
}

QString GetINISndPath() {
    return ReadKey(QStringLiteral("Path"), QStringLiteral("SndPath"), QStringLiteral("c:"));
}

Status WriteINIFilePath(const QString& path) {
    return WriteKey(QStringLiteral("Path"), QStringLiteral("FilePath"), path);
}

namespace {

constexpr int kRecentDrives = 5;

QString RecentKey(int i) {
    return QStringLiteral("Drive%1").arg(i + 1);
}

} // namespace

QStringList GetINIRecentDrives() {
    QStringList drives;
    for (int i = 0; i < kRecentDrives; ++i)
        if (const QString drive = ReadKey(QStringLiteral("RecentDrives"), RecentKey(i), {});
            !drive.isEmpty())
            drives << drive;
    return drives;
}

Status AddINIRecentDrive(const QString& drive) {
    QStringList drives = GetINIRecentDrives();
    if (drives.value(0) == drive)
        return {};
    drives.removeAll(drive);
    drives.prepend(drive);
    auto ini = IniFile::Load(IniFilePath());
    if (!ini)
        return ini.error();
    IniFile changed = ini.value();
    for (int i = 0; i < std::min<int>(kRecentDrives, drives.size()); ++i)
        changed.setPathValue(QStringLiteral("RecentDrives"), RecentKey(i), drives[i]);
    return changed.save(IniFilePath());
}

Status WriteINISystemDB() {
    return WriteKey(QStringLiteral("Options"), QStringLiteral("SystemDB"),
                    ProgramFile(QStringLiteral("kpxltd.mda")));
}

} // namespace dvq3
