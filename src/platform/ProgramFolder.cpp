#include "platform/ProgramFolder.h"

#include "platform/DriveFile.h"

#include <QCoreApplication>
#include <QDir>

namespace dvq3 {

QString ProgramFolder() {
    const QString overridden = qEnvironmentVariable("DVQ3_PROGRAM_FOLDER");
    if (!overridden.isEmpty())
        return QDir::cleanPath(overridden);
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString ProgramFile(const QString& name) {
    return ProgramFolder() + u'/' + name;
}

bool ProgramFolderWritable() {
    return FolderWritable(ProgramFolder());
}

namespace {

QString XdgFolder(const char* variable, const char* fallback) {
    QString base = qEnvironmentVariable(variable);
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + u'/' + QLatin1String(fallback);
    return QDir::cleanPath(base) + QStringLiteral("/dvq3");
}

} // namespace

QString UserConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

QString UserDataFolder() {
    return XdgFolder("XDG_DATA_HOME", ".local/share");
}

QString StationFile(const QString& name) {
    if (ProgramFolderWritable())
        return ProgramFile(name);
    // Reports and scanned sheets hold client data: the folder is the user's alone. A folder that
    // cannot be made is told by the write that follows, naming the file.
    (void)MakePrivateFolder(UserDataFolder());
    return UserDataFolder() + u'/' + name;
}

} // namespace dvq3
