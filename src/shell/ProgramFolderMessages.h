#pragma once

#include "platform/DriveFile.h"
#include "platform/Error.h"
#include "platform/QuestionDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace dvq3 {

// Faults of the program folder and the settings file: they name the file, its folder and what to
// do, so nobody goes looking for a data disk that is not the problem.
inline const QString kProgramFolderErrorTitle = QStringLiteral("Program Folder Error");

inline QString DatabaseFaultText(const QString& path, const Error& error) {
    // Another user's station from the same program folder: reinstalling would not help.
    if (error.is(Error::Kind::DatabaseFault, kDatabaseInUse))
        return QStringLiteral("The question database %1 is in use by another station (%2).\r\r"
                              "Only one station at a time can use the question database of a "
                              "program folder. Close the other station, then choose OK to try "
                              "again; Cancel ends the program.")
            .arg(QDir::toNativeSeparators(path), error.text());
    return QStringLiteral("The question database %1 could not be opened (%2).\r\rIt belongs in "
                          "the station's program folder %3. Reinstall the station or put an "
                          "undamaged copy of DVQ3.MDB there, then choose OK to try again; Cancel "
                          "ends the program.")
        .arg(QDir::toNativeSeparators(path), error.text(),
             QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
}

// retry: the box offers OK to try again and Cancel to end the program.
inline QString SettingsFaultText(const QString& path, const Error& error, bool retry) {
    QString text = QStringLiteral("The station's settings file %1 could not be written (%2).\r\r"
                                  "Make sure the folder %3 can be written and has room")
                       .arg(QDir::toNativeSeparators(path), error.text(),
                            QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
    return text + (retry ? QStringLiteral(", then choose OK to try again; Cancel ends the program.")
                         : QStringLiteral("; the station goes on without saving the setting."));
}

inline QString SettingsReadFaultText(const QString& path, const Error& error) {
    return QStringLiteral("The station's settings file %1 could not be read (%2).\r\rMake sure "
                          "it can be read, then choose OK to try again; Cancel ends the program.")
        .arg(QDir::toNativeSeparators(path), error.text());
}

inline const QString kChooseAnotherDriveText =
    QStringLiteral("Would you like to choose another drive?");

// A path setting holding a NUL character, which the station never uses; instead says what it
// does without it.
inline QString SettingNulText(const QString& path, const QString& key, const QString& value,
                              const QString& instead) {
    return QStringLiteral("The setting [Path] %1 in the station's settings file %2 cannot be "
                          "used.\r\r%3\r\r%4")
        .arg(key, QDir::toNativeSeparators(path), NulPathText(value), instead);
}

} // namespace dvq3
