#include "platform/DriveError.h"

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

DriveError DriveErrorFromErrno(int errnoValue, bool missingFolder) {
    const int number = DriveErrorNumber(errnoValue, missingFolder);
    return {number, DriveErrorDescription(number)};
}

} // namespace dvq3
