#include "StationWindows.h"

#include "administration/windows/frmSelectEntryMethod.h"
#include "records/windows/frmClientInfo.h"
#include "records/windows/frmCourtHistory.h"
#include "sheets/windows/frmNewEntry.h"
#include "supervisor/frmSupervisorOptions.h"

namespace {

template <class Window> bool ShowModal(dvq3::Session& session) {
    Window window(session);
    window.exec();
    return true;
}

} // namespace

bool StationWindows::open(dvq3::ChainWindow window, dvq3::Session& session) {
    using dvq3::ChainWindow;
    switch (window) {
    case ChainWindow::ClientInfo:
        return ShowModal<dvq3::frmClientInfo>(session);
    case ChainWindow::CourtHistory:
        return ShowModal<dvq3::frmCourtHistory>(session);
    case ChainWindow::NewEntry:
        return ShowModal<dvq3::frmNewEntry>(session);
    case ChainWindow::SelectEntryMethod:
        return ShowModal<dvq3::frmSelectEntryMethod>(session);
    case ChainWindow::SupervisorOptions:
        return ShowModal<dvq3::frmSupervisorOptions>(session);
    case ChainWindow::ScanAnswerSheet:
        dvq3::ScanAnswerSheet(session, scanStation_);
        return true;
    }
    return false;
}
