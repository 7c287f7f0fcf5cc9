#pragma once

#include "QtPrinters.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace dvq3test {

// A temporary program folder (DVQ3_PROGRAM_FOLDER points at it while the object lives) and a
// data drive folder inside it. The fault hook is reset on both ends.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();

    QString program() const { return dir_.path(); }
    QString drive() const { return dir_.path() + QStringLiteral("/drive"); }
    QString path(const QString& name) const { return dir_.path() + u'/' + name; }

    static QByteArray Read(const QString& path);
    static void Write(const QString& path, const QByteArray& bytes);
    // The permission bits of path (0600 for a file only its user may read), -1 when missing.
    static int Mode(const QString& path);
    // Every entry of a folder, hidden ones too, sorted by name.
    static QStringList Entries(const QString& folder);

private:
    QTemporaryDir dir_;
    QByteArray previousProgram_;
};

// This process as a data disk's lock file names it to another station.
QString ThisStation();

// The id of a process that has ended (a killed writer's, as far as its files can tell).
int EndedProcessId();

// The program folder the build assembled (question database, sample disk).
QString BuiltProgramFolder();
// The source tree.
QString SourceFolder();

} // namespace dvq3test
