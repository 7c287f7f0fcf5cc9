#include "platform/Error.h"

#include <QtGlobal>

#include <cerrno>

namespace dvq3 {

QString DriveErrorDescription(int number) {
    switch (number) {
    case 52:
        return QStringLiteral("Bad file name or number");
    case 53:
        return QStringLiteral("File not found");
    case 57:
        return QStringLiteral("Device I/O error");
    case 61:
        return QStringLiteral("Disk full");
    case 70:
        return QStringLiteral("Permission denied");
    case 71:
        return QStringLiteral("Disk not ready");
    case 75:
        return QStringLiteral("Path/File access error");
    case 76:
        return QStringLiteral("Path not found");
    case 3020:
        return QStringLiteral("Update without AddNew or Edit");
    case 3024:
        return QStringLiteral("Could not find file");
    case 3044:
        return QStringLiteral("Not a valid path");
    case 3045:
        return QStringLiteral("Could not use the file; it is already in use");
    case 3051:
        return QStringLiteral("Could not open the file");
    case 3078:
        return QStringLiteral("The database engine cannot find the input table or query");
    default:
        return QStringLiteral("Unexpected file error");
    }
}

int DriveErrorNumber(int errnoValue, bool missingFolder) {
    switch (errnoValue) {
    case ENOENT:
        return missingFolder ? 76 : 53;
    case ENOTDIR:
        return 76;
    case EACCES:
    case EPERM:
    case EROFS:
        return 70;
    case EIO:
        return 57;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
        return 71;
    case ENAMETOOLONG:
    case EINVAL:
        return 52;
    case ENOSPC:
    case EDQUOT:
        return 61;
    default:
        return 75; // path/file access error
    }
}

Error DriveErrorFromErrno(int errnoValue, bool missingFolder) {
    return Error::DriveFault(DriveErrorNumber(errnoValue, missingFolder));
}

Error Error::DriveFault(int number) {
    return DriveFault(number, DriveErrorDescription(number));
}

Error Error::DatabaseFault(int number) {
    return DatabaseFault(number, DriveErrorDescription(number));
}

bool Error::hasNumber() const {
    return kind_ == Kind::DriveFault || kind_ == Kind::DatabaseFault || kind_ == Kind::ImagingFault;
}

int Error::number() const {
    if (!hasNumber())
        MisuseAbort("the error number of a fault that has none");
    return number_;
}

QString Error::text() const {
    switch (kind_) {
    case Kind::DriveFault:
    case Kind::DatabaseFault:
    case Kind::ImagingFault:
        return QStringLiteral("Error %1:%2").arg(number_).arg(description_);
    case Kind::PrinterFault:
        // The printer's faults reach the user as the device I/O error they always were.
        return QStringLiteral("Error 57:") + description_;
    case Kind::Refusal:
    case Kind::DataFileFault:
        break;
    }
    return description_;
}

bool IsMissingDiskError(const Error& error) {
    for (int missing : {52, 53, 57, 71, 76})
        if (error.is(Error::Kind::DriveFault, missing))
            return true;
    for (int missing : {3024, 3044, 3051})
        if (error.is(Error::Kind::DatabaseFault, missing))
            return true;
    return false;
}

void MisuseAbort(const char* what) {
    qFatal("dvq3: misuse: %s", what);
}

} // namespace dvq3
