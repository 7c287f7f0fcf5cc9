#include "reports/ReportText.h"

#include "platform/Codepage.h"
#include "platform/DriveFile.h"
#include "platform/ProgramFolder.h"

namespace dvq3 {

QString ReportFilePath() {
    return StationFile(QStringLiteral("report.prn"));
}

Result<QString> ReadReportText() {
    auto bytes = ReadDriveFile(ReportFilePath());
    if (!bytes)
        return bytes.error();
    return DecodeAnsi(bytes.value());
}

} // namespace dvq3
