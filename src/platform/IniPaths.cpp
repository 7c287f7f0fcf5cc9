#include "platform/IniPaths.h"

#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"

namespace dvq3 {
namespace {

// The profile read fills a 50-character buffer, so at most 49 characters of a value survive.
constexpr int kMaxValue = 49;

QString ReadKey(const QString& section, const QString& key, const QString& fallback) {
    auto ini = IniFile::Load(IniFilePath());
    const QString value = ini ? ini.value().value(section, key, fallback) : fallback;
    return value.left(kMaxValue).trimmed();
}

Status WriteKey(const QString& section, const QString& key, const QString& value) {
    auto ini = IniFile::Load(IniFilePath());
    if (!ini)
        return ini.error();
    // Writing what is already there would only risk the file.
    const QString absent(1, QChar(0)); // no line of the file can hold it
    if (ini.value().value(section, key, absent) == value)
        return {};
    IniFile changed = ini.value();
    changed.setValue(section, key, value);
    return changed.save(IniFilePath());
}

} // namespace

QString IniFilePath() {
    return ProgramFile(QStringLiteral("dvq3test.ini"));
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
    for (int i = 0; i < kRecentDrives; ++i)
        changed.setValue(QStringLiteral("RecentDrives"), RecentKey(i), drives.value(i));
    return changed.save(IniFilePath());
}

Status WriteINISystemDB() {
    return WriteKey(QStringLiteral("Options"), QStringLiteral("SystemDB"),
                    ProgramFile(QStringLiteral("kpxltd.mda")));
}

} // namespace dvq3
