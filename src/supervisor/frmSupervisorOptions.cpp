#include "supervisor/frmSupervisorOptions.h"

#include "platform/ProgramFolder.h"
#include "records/NameDeletion.h"
#include "records/RecordsMessages.h"
#include "records/windows/RecordSave.h"
#include "records/windows/SecretCode.h"
#include "reports/ReportText.h"
#include "reports/ScoreClient.h"
#include "reports/windows/ReportPrinting.h"
#include "reports/windows/frmViewReport.h"
#include "station/Session.h"
#include "supervisor/frmPrintSelected.h"
#include "supervisor/frmVerify.h"
#include "ui/MenuButtons.h"
#include "ui/MsgBox.h"
#include "ui/WindowRoutines.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace dvq3 {
namespace {

enum Choice { Execute = 0, MainMenu = 1 };
enum Tab { ReportsTab = 0, VerifyTab = 1, DeleteTab = 2 };

QWidget* CommentTab(const QString& text) {
    auto* page = new QWidget;
    auto* frame = new QGroupBox(QStringLiteral("Option Comments"), page);
    auto* label = new QLabel(text, frame);
    label->setWordWrap(true);
    (new QVBoxLayout(frame))->addWidget(label);
    (new QVBoxLayout(page))->addWidget(frame);
    return page;
}

} // namespace

frmSupervisorOptions::frmSupervisorOptions(Session& session, QWidget* parent)
    : StationDialog(parent), session_(session) {
    setObjectName(QStringLiteral("frmSupervisorOptions"));
    setWindowTitle(kSupervisorCaption);
    resize(760, 560);

    frControls = new QFrame(this);
    frControls->setObjectName(QStringLiteral("frControls"));
    auto* layout = new QVBoxLayout(frControls);
    msgPanel = new MsgPanel(this);
    menu = new MenuButtons(msgPanel, this);

    sspTabPanel = new QFrame(frControls);
    sspTabPanel->setObjectName(QStringLiteral("sspMenuChoice2"));
    sspTabPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    sspTabPanel->setAutoFillBackground(true);
    sstSupervisorOperations = new QTabWidget(sspTabPanel);
    sstSupervisorOperations->setObjectName(QStringLiteral("sstSupervisorOperations"));
    sstSupervisorOperations->setAutoFillBackground(true);
    QPalette blue = sstSupervisorOperations->palette();
    blue.setColor(QPalette::Window, MenuButtons::kIdleColour);
    sstSupervisorOperations->setPalette(blue);
    (new QVBoxLayout(sspTabPanel))->addWidget(sstSupervisorOperations);

    auto* reports = new QWidget;
    auto* choose = new QGroupBox(QStringLiteral("Choose Report Option"), reports);
    auto* chooseLayout = new QVBoxLayout(choose);
    const char* options[] = {"Print above current client's report",
                             "Select and print multiple clients' reports",
                             "Print all clients' reports"};
    for (int i = 0; i < 3; ++i) {
        optPrintOption[i] = new QRadioButton(QLatin1String(options[i]), choose);
        optPrintOption[i]->setObjectName(QStringLiteral("optPrintOption%1").arg(i));
        chooseLayout->addWidget(optPrintOption[i]);
        connect(optPrintOption[i], &QRadioButton::clicked, this, [this, i] { lastOption_ = i; });
    }
    optPrintOption[0]->setChecked(true);
    chkPrintSummaryPage = new QCheckBox(QStringLiteral("One page summary report"), reports);
    chkPrintSummaryPage->setObjectName(QStringLiteral("chkPrintSummaryPage"));
    connect(chkPrintSummaryPage, &QCheckBox::toggled, this,
            [this](bool on) { printSummary_ = on; });
    auto* reportsLayout = new QVBoxLayout(reports);
    reportsLayout->addWidget(choose);
    reportsLayout->addWidget(chkPrintSummaryPage);
    sstSupervisorOperations->addTab(reports, QStringLiteral("&Reports"));
    sstSupervisorOperations->addTab(CommentTab(kVerifyComment), QStringLiteral("&Verify Data"));
    sstSupervisorOperations->addTab(CommentTab(kDeleteComment), QStringLiteral("&Delete Names"));
    connect(sstSupervisorOperations, &QTabWidget::currentChanged, this,
            &frmSupervisorOptions::TabChanged);

    frCurrentClient = new QGroupBox(QStringLiteral("Current Client"), frControls);
    frCurrentClient->setObjectName(QStringLiteral("frCurrentClient"));
    lblNameDisplay = new QLabel(QStringLiteral("No Clients"), frCurrentClient);
    lblNameDisplay->setObjectName(QStringLiteral("lblNameDisplay"));
    (new QVBoxLayout(frCurrentClient))->addWidget(lblNameDisplay);

    layout->addWidget(frCurrentClient);
    layout->addWidget(sspTabPanel);
    layout->addWidget(menu->add(frControls, QStringLiteral("Execute Selection"), kExecuteHelp));
    layout->addWidget(menu->add(frControls, QStringLiteral("Go to Main Menu"), kMainMenuHelp));
    connect(menu, &MenuButtons::clicked, this, &frmSupervisorOptions::cmdMenuChoice_Click);
    frControls->setFixedSize(600, frControls->sizeHint().height());
    KeepPlaced(frControls, msgPanel);
    setTabOrder(sstSupervisorOperations, menu->cmdMenuChoice(Execute));
    setTabOrder(menu->cmdMenuChoice(Execute), menu->cmdMenuChoice(MainMenu));
    // The tab panel lights up, and an option shows its help line, while it has the focus.
    connect(qApp, &QApplication::focusChanged, this, &frmSupervisorOptions::FocusChanged);

    // Form_Load.
    emptyDisk_ = session_.disk.NumClients() < 1;
    if (!emptyDisk_)
        lblNameDisplay->setText(CurrentName());
    printSummary_ = chkPrintSummaryPage->isChecked();
    FocusChanged(nullptr, nullptr);
}

void frmSupervisorOptions::setPrintSummary(bool on) {
    chkPrintSummaryPage->setChecked(on);
}

QString frmSupervisorOptions::CurrentName() const {
    return session_.disk.IsTableIndex(session_.CurClient) ? session_.CurrentClient().Name
                                                          : QString();
}

void frmSupervisorOptions::Form_Activate() {
    if (emptyDisk_) {
        MsgBox(kEmptyDiskText, vbInformation, kEmptyDiskTitle);
        reject();
        return;
    }
    sstSupervisorOperations->setFocus();
}

frmSupervisorOptions::~frmSupervisorOptions() {
    // The focus moves while the controls are destroyed; this window must no longer hear of it.
    disconnect(qApp, &QApplication::focusChanged, this, &frmSupervisorOptions::FocusChanged);
}

void frmSupervisorOptions::FocusChanged(QWidget*, QWidget* now) {
    const bool inTabs =
        now && (now == sstSupervisorOperations || sstSupervisorOperations->isAncestorOf(now));
    QPalette palette = sspTabPanel->palette();
    palette.setColor(QPalette::Window,
                     inTabs ? MenuButtons::kFocusColour : MenuButtons::kIdleColour);
    sspTabPanel->setPalette(palette);
    for (QRadioButton* option : optPrintOption)
        if (now == option)
            msgPanel->setCaption(kOptionHelp);
}

void frmSupervisorOptions::TabChanged(int tab) {
    if (tab == lastTab_)
        return;
    lastTab_ = tab;
    switch (tab) {
    case ReportsTab:
        msgPanel->setCaption(QString());
        lblNameDisplay->setText(CurrentName());
        optPrintOption[lastOption_]->setChecked(true);
        break;
    case VerifyTab:
        msgPanel->setCaption(kVerifyTabHelp);
        lblNameDisplay->setText(CurrentName());
        break;
    case DeleteTab:
        msgPanel->setCaption(kDeleteTabHelp);
        lblNameDisplay->setText(QStringLiteral("All Clients"));
        break;
    default:
        break;
    }
}

void frmSupervisorOptions::cmdMenuChoice_Click(int index) {
    if (index == Execute)
        ExecuteSelection();
    accept();
}

bool frmSupervisorOptions::Refused(const QString& title) {
    if (session_.disk.NumClients() > 0)
        return false;
    MsgBox(kDatabaseEmptyText, vbInformation, title);
    return true;
}

void frmSupervisorOptions::ExecuteSelection() {
    switch (sstSupervisorOperations->currentIndex()) {
    case ReportsTab:
        if (Refused(kPrintReportTitle) || !GetSecretCode(this))
            return;
        if (optPrintOption[0]->isChecked()) {
            frmViewReport viewer(session_, this);
            viewer.exec();
        } else if (optPrintOption[1]->isChecked()) {
            frmPrintSelected window(session_, this);
            window.exec();
        } else if (optPrintOption[2]->isChecked()) {
            PrintAllReports(session_);
        }
        break;
    case VerifyTab:
        if (Refused(kVerifyDataTitle))
            return;
        {
            frmVerify verify(session_, this);
            verify.exec();
        }
        break;
    case DeleteTab:
        if (Refused(kDeleteNamesTitle))
            return;
        DeleteClientNames();
        break;
    default:
        break;
    }
}

void frmSupervisorOptions::DeleteClientNames() {
    SetWaitPointer();
    if (MsgBox(kDeleteWarning, vbYesNo | vbCritical, kWarningTitle) != vbYes) {
        MsgBox(kDeleteAborted);
        SetDefaultPointer();
        return;
    }
    const bool done = DeleteNames(session_, [this](int client, const ClientRecord& before) {
        return SaveRecord(session_, client, before);
    });
    // The names go from the report files too, whether or not every record could be saved.
    if (const Status removed = RemoveStationFilesWithNames(); !removed) {
        SetDefaultPointer();
        MsgBox(removed.error().text(), vbCritical, kDeleteNamesTitle);
    }
    MsgBox(done ? kDeleteComplete : kDeleteAborted);
    SetDefaultPointer();
}

} // namespace dvq3
