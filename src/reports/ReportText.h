#pragma once

#include "platform/Error.h"

#include <QString>

namespace dvq3 {

// report.prn, the report of the client scored last: in the program folder, or in the user's data
// folder when the program folder cannot be written.
QString ReportFilePath();

// The text of the report file, as the viewer shows it and the printer prints it: CR LF line
// ends and form-feed page breaks kept.
[[nodiscard]] Result<QString> ReadReportText();

} // namespace dvq3
