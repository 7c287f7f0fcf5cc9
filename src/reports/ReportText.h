#pragma once

#include "platform/Error.h"

#include <QString>

namespace dvq3 {

// report.prn in the program folder: the report of the client scored last.
QString ReportFilePath();

// The text of the report file, as the viewer shows it and the printer prints it: CR LF line
// ends and form-feed page breaks kept.
[[nodiscard]] Result<QString> ReadReportText();

} // namespace dvq3
