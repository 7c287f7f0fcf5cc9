#include "station/ChainWindow.h"

namespace dvq3 {

QString ChainWindowName(ChainWindow window) {
    switch (window) {
    case ChainWindow::ClientInfo:
        return QStringLiteral("frmClientInfo");
    case ChainWindow::CourtHistory:
        return QStringLiteral("frmCourtHistory");
    case ChainWindow::NewEntry:
        return QStringLiteral("frmNewEntry");
    case ChainWindow::SelectEntryMethod:
        return QStringLiteral("frmSelectEntryMethod");
    case ChainWindow::SupervisorOptions:
        return QStringLiteral("frmSupervisorOptions");
    case ChainWindow::ScanAnswerSheet:
        return QStringLiteral("ScanAnswerSheet");
    }
    return {};
}

} // namespace dvq3
