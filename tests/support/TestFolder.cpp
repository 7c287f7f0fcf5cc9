#include "TestFolder.h"

#include "platform/DriveFile.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace dvq3test {

TestFolder::TestFolder() : previousProgram_(qgetenv("DVQ3_PROGRAM_FOLDER")) {
    EXPECT_TRUE(dir_.isValid());
    QDir().mkpath(drive());
    qputenv("DVQ3_PROGRAM_FOLDER", dir_.path().toLocal8Bit());
    dvq3::SetDriveFaultHook({});
}

TestFolder::~TestFolder() {
    dvq3::SetDriveFaultHook({});
    if (previousProgram_.isNull())
        qunsetenv("DVQ3_PROGRAM_FOLDER");
    else
        qputenv("DVQ3_PROGRAM_FOLDER", previousProgram_);
}

QByteArray TestFolder::Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestFolder::Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

QString ThisStation() {
    return QStringLiteral("user %1 on host %2, process %3")
        .arg(QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name), QSysInfo::machineHostName())
        .arg(::getpid());
}

QStringList TestFolder::Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

int TestFolder::Mode(const QString& path) {
    struct stat info {};
    if (::lstat(dvq3::NativePath(path).constData(), &info) != 0)
        return -1;
    return static_cast<int>(info.st_mode & 0777);
}

int EndedProcessId() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    EXPECT_GT(child, 0);
    EXPECT_EQ(::waitpid(child, nullptr, 0), child);
    return child;
}

QString BuiltProgramFolder() {
    return QStringLiteral(DVQ3_BUILT_PROGRAM);
}

QString SourceFolder() {
    return QStringLiteral(DVQ3_SOURCE_DIR);
}

} // namespace dvq3test
