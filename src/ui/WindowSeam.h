#pragma once

#include <QString>

namespace dvq3 {

class Session;

// Shows the chain window of that form name ("frmClientInfo", "frmCourtHistory", "frmNewEntry",
// "frmSelectEntryMethod", "frmSupervisorOptions") modally over the session, as the session's
// registry of chain windows says; a window that is not part of this station yet says so and
// counts as cancelled.
void ShowModalWindow(Session& session, const QString& name);

inline const QString kNotAvailableText =
    QStringLiteral("This function is not available yet in this version of the station.");

} // namespace dvq3
