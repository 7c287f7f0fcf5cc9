#include "platform/ProgramFolder.h"

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

} // namespace dvq3
