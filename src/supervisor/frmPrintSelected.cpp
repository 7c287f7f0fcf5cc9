#include "supervisor/frmPrintSelected.h"

#include "reports/windows/ReportPrinting.h"
#include "station/Session.h"
#include "ui/ClientList.h"
#include "ui/WindowRoutines.h"

#include <QEvent>
#include <QVBoxLayout>

namespace dvq3 {
namespace {

enum Choice { PrintChosen = 0, SelectAll = 1, Cancel = 2 };

} // namespace

frmPrintSelected::frmPrintSelected(Session& session, QWidget* parent)
    : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("frmPrintSelected"));
    setWindowTitle(QStringLiteral("Print Selected Reports"));
    msgPanel = new MsgPanel(this);
    fraClient = new QGroupBox(QStringLiteral("Client List"), this);
    fraClient->setObjectName(QStringLiteral("fraClient"));
    fraClient->setAutoFillBackground(true);
    lbNameDisplay = new QListWidget(fraClient);
    lbNameDisplay->setObjectName(QStringLiteral("lbNameDisplay"));
    lbNameDisplay->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* listLayout = new QVBoxLayout(fraClient);
    listLayout->addWidget(lbNameDisplay);

    menu = new MenuButtons(msgPanel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraClient);
    layout->addWidget(menu->add(this, QStringLiteral("Print selected client reports"),
                                QStringLiteral("Print selected client reports")));
    layout->addWidget(menu->add(this, QStringLiteral("Select all client reports"),
                                QStringLiteral("Select all client reports for printing")));
    layout->addWidget(menu->add(this, QStringLiteral("Cancel"),
                                QStringLiteral("Cancel selections and printing.")));
    layout->addWidget(msgPanel);
    connect(menu, &MenuButtons::clicked, this, &frmPrintSelected::cmdMenuChoice_Click);

    FillClientList(lbNameDisplay, session_.disk);
    if (lbNameDisplay->count() > 0)
        lbNameDisplay->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    connect(lbNameDisplay, &QListWidget::itemClicked, this, &frmPrintSelected::EnableEditChoice);
    // With nothing to select the print button is disabled, so an empty disk hands the focus on
    // to the first button that can take it (Cancel).
    new ClientListFocus(
        session_.disk, fraClient, lbNameDisplay, msgPanel,
        [this] {
            return menu->cmdMenuChoice(menu->cmdMenuChoice(PrintChosen)->isEnabled() ? PrintChosen
                                                                                     : Cancel);
        },
        [this] { EnableEditChoice(); });
    EnableEditChoice();
    resize(420, 520);
}

void frmPrintSelected::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!isMaximized())
        CenterForm(this);
}

void frmPrintSelected::EnableEditChoice() {
    const QListWidgetItem* current = lbNameDisplay->currentItem();
    menu->cmdMenuChoice(PrintChosen)->setEnabled(current && !current->text().isEmpty());
}

void frmPrintSelected::cmdMenuChoice_Click(int index) {
    switch (index) {
    case PrintChosen:
        PrintSelected();
        break;
    case SelectAll:
        lbNameDisplay->selectAll();
        break;
    case Cancel:
        reject();
        break;
    default:
        break;
    }
}

void frmPrintSelected::PrintSelected() {
    QList<int> clients;
    for (int i = 0; i < lbNameDisplay->count(); ++i)
        if (lbNameDisplay->item(i)->isSelected()) {
            lbNameDisplay->setCurrentRow(i, QItemSelectionModel::NoUpdate);
            clients << i + 1;
        }
    // Nothing ticked: nothing to print, and the window's work is done.
    if (clients.isEmpty()) {
        accept();
        return;
    }
    if (PrintReports(session_, clients, CopyNumber::InBatchOrder, OnScoringFault::StopBatch))
        accept();
}

} // namespace dvq3
