#pragma once

#include <QString>

#include <functional>

namespace dvq3 {

// The windows a chain opens, by their form names ("frmClientInfo", "frmCourtHistory",
// "frmNewEntry", "frmSelectEntryMethod", "frmSupervisorOptions"). A window registers how it is
// shown modally; the chains call it by name. Tests register stand-ins that set ContinueFlag.
using ModalWindow = std::function<void()>;
void RegisterModalWindow(const QString& name, ModalWindow show);
void UnregisterModalWindows();
// Shows the window modally; a window that is not part of this station yet says so.
void ShowModalWindow(const QString& name);

} // namespace dvq3
