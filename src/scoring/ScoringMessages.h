#pragma once

#include <QString>

namespace dvq3 {

// The texts the scoring module shows, for the code that builds its messages and for its tests.

// Opens every fault of the scoring and report text files, a client record or the report file.
inline const QString kScoringStopped = QStringLiteral("Scoring stopped: ");

// A current client that is neither a stored client nor the new one: client, NumClients.
inline const QString kNoClientToScore =
    QStringLiteral("there is no client %1 to score on this data disk (it holds %2 clients).");

// The report file could not be replaced: its path, the drive error.
inline const QString kReportNotWritten = QStringLiteral(
    "the report file %1 could not be written (%2); the previous report is unchanged.");
// The new report took the old one's place, but its folder could not be flushed to the device.
inline const QString kReportNotFlushed = QStringLiteral(
    "the report file %1 was written, but it could not be flushed to the device (%2).");

} // namespace dvq3
