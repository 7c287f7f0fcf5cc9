#include "DriveLoad.h"

#include "platform/DriveFile.h"

#include <QDir>

namespace dvq3tool {

QString MessageText(QString message) {
    return message.replace(u'\r', u'\n');
}

DriveLoad LoadDrive(dvq3::Session& session, const QString& drive, QTextStream& err) {
    // As at the station, a drive holding a NUL character is not used at all (the system would
    // take the path as ending there), and an empty or relative drive is never used as a path.
    if (dvq3::HoldsNul(drive)) {
        err << MessageText(dvq3::NulPathText(drive)) << '\n';
        return DriveLoad::Failed;
    }
    if (drive.isEmpty() || QDir::isRelativePath(drive)) {
        err << dvq3::NoTestInformationText(drive) << ".\n";
        return DriveLoad::Failed;
    }
    session.disk.SetDataDrive(drive);
    auto loaded = session.LoadClients(dvq3::DataDisk::LoadMode::ReadOnly);
    if (!loaded) {
        const dvq3::Error& error = loaded.error();
        if (error.is(dvq3::Error::Kind::DriveFault, 53) ||
            error.is(dvq3::Error::Kind::DriveFault, 76))
            err << dvq3::NoTestInformationText(drive) << ".\n";
        else
            err << MessageText(error.text()) << '\n';
        return DriveLoad::Failed;
    }
    const dvq3::ClientFileCheck& check = loaded.value();
    if (check.problem == dvq3::ClientFileProblem::None)
        return DriveLoad::Whole;
    err << MessageText(check.message) << '\n';
    return check.problem == dvq3::ClientFileProblem::TooManyRecords ? DriveLoad::Failed
                                                                    : DriveLoad::Damaged;
}

} // namespace dvq3tool
