#include "DriveLoad.h"

#include "platform/DriveFile.h"

#include <QDir>

namespace dvq3tool {

QString MessageText(QString message) {
    return message.replace(u'\r', u'\n');
}

bool LoadDrive(dvq3::Session& session, const QString& drive, QTextStream& err, bool* damaged) {
    // As at the station, a drive holding a NUL character is not used at all (the system would
    // take the path as ending there), and an empty or relative drive is never used as a path.
    if (dvq3::HoldsNul(drive)) {
        err << MessageText(dvq3::NulPathText(drive)) << '\n';
        return false;
    }
    if (drive.isEmpty() || QDir::isRelativePath(drive)) {
        err << dvq3::NoTestInformationText(drive) << ".\n";
        return false;
    }
    session.disk.SetDataDrive(drive);
    auto loaded = session.LoadClients(dvq3::DataDisk::LoadMode::ReadOnly);
    if (!loaded) {
        const dvq3::Error& error = loaded.error();
        if (error.isDriveFault() && (error.number() == 53 || error.number() == 76))
            err << dvq3::NoTestInformationText(drive) << ".\n";
        else
            err << MessageText(error.text()) << '\n';
        return false;
    }
    const dvq3::ClientFileCheck& check = loaded.value();
    if (check.problem != dvq3::ClientFileProblem::None)
        err << MessageText(check.message) << '\n';
    if (damaged)
        *damaged = check.problem != dvq3::ClientFileProblem::None;
    return check.problem != dvq3::ClientFileProblem::TooManyRecords;
}

} // namespace dvq3tool
