#include "shell/frmMainMenu.h"

#include "administration/windows/frmInstallVoices.h"
#include "shell/SelectDataDrive.h"
#include "shell/frmAbout.h"
#include "ui/ChainRunner.h"
#include "ui/ClientList.h"
#include "ui/MsgBox.h"
#include "ui/WindowRoutines.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

namespace dvq3 {
namespace {

enum MenuChoice { EditClient = 0, AddClient = 1, Supervisor = 2, ExitApplication = 3 };

} // namespace

frmMainMenu::frmMainMenu(Session& session, QWidget* parent)
    : QMainWindow(parent), session_(session) {
    setObjectName(QStringLiteral("frmMainMenu"));
    setWindowTitle(QStringLiteral("Corvalent-III"));
    resize(900, 620);

    auto* central = new QWidget(this);
    setCentralWidget(central);
    msgPanel = new MsgPanel(this);
    statusBar()->addWidget(msgPanel, 1);
    statusBar()->setSizeGripEnabled(false);

    frMainMenu = new QFrame(central);
    frMainMenu->setObjectName(QStringLiteral("frMainMenu"));
    auto* menuLayout = new QVBoxLayout(frMainMenu);
    menu = new MenuButtons(msgPanel, this);
    const std::pair<const char*, const char*> choices[] = {
        {"Edit Current Client", "Edit client's information."},
        {"Add New Client",
         "Enter a new client. Test client on computer or enter data from answer sheet."},
        {"Supervisor Options", "Print client report, verify data entry or delete client names."},
        {"Exit Application", "Quit the program."},
    };
    int widestHelp = 0;
    for (const auto& [caption, help] : choices) {
        menuLayout->addWidget(
            menu->add(frMainMenu, QString::fromLatin1(caption), QString::fromLatin1(help)));
        widestHelp = std::max(widestHelp,
                              msgPanel->fontMetrics().horizontalAdvance(QString::fromLatin1(help)));
    }
    // Every help line fits inside the window at any size the window allows.
    setMinimumWidth(widestHelp + 4 * msgPanel->frameWidth() + 32);
    frMainMenu->setFixedSize(300, frMainMenu->sizeHint().height());
    connect(menu, &MenuButtons::clicked, this, &frmMainMenu::cmdMenuChoice_Click);

    fraClient = new QGroupBox(QStringLiteral("Client List"), central);
    fraClient->setObjectName(QStringLiteral("fraClient"));
    fraClient->setAutoFillBackground(true);
    lbNameDisplay = new QListWidget(fraClient);
    lbNameDisplay->setObjectName(QStringLiteral("lbNameDisplay"));
    auto* listLayout = new QVBoxLayout(fraClient);
    listLayout->addWidget(lbNameDisplay);
    connect(lbNameDisplay, &QListWidget::itemSelectionChanged, this,
            &frmMainMenu::lbNameDisplay_Click);

    imgKPXLogo = new QLabel(QStringLiteral("Corvalent-III"), central);
    imgKPXLogo->setObjectName(QStringLiteral("imgKPXLogo"));
    QFont logoFont(QStringLiteral("Sans Serif"), 14, QFont::Bold);
    imgKPXLogo->setFont(logoFont);

    // Tab goes from the list through the buttons in their order.
    setTabOrder(lbNameDisplay, menu->cmdMenuChoice(0));
    for (int i = 1; i < menu->count(); ++i)
        setTabOrder(menu->cmdMenuChoice(i - 1), menu->cmdMenuChoice(i));

    mnuExit = menuBar()->addAction(QStringLiteral("E&xit!"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    mnuDrive = options->addAction(QStringLiteral("Select &Data Drive"));
    mnuDrive->setObjectName(QStringLiteral("mnuDrive"));
    mnuOptionsInstallVoice = options->addAction(QStringLiteral("&Install Voice Files"));
    mnuOptionsInstallVoice->setObjectName(QStringLiteral("mnuOptionsInstallVoice"));
    mnuHelpAbout = menuBar()->addAction(QStringLiteral("&About..."));
    mnuHelpAbout->setObjectName(QStringLiteral("mnuHelpAbout"));
    connect(mnuExit, &QAction::triggered, this, [this] { cmdMenuChoice_Click(ExitApplication); });
    connect(mnuDrive, &QAction::triggered, this, &frmMainMenu::mnuDrive_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMainMenu::mnuHelpAbout_Click);
    connect(mnuOptionsInstallVoice, &QAction::triggered, this, [this] {
        frmInstallVoices window(session_, this);
        window.exec();
    });

    // An empty disk hands the focus on to "Add New Client".
    new ClientListFocus(
        session_.disk, fraClient, lbNameDisplay, msgPanel,
        [this] { return menu->cmdMenuChoice(AddClient); }, [this] { EnableEditChoice(); });

    menu->cmdMenuChoice(EditClient)->setEnabled(false);
    placeFrames();
}

void frmMainMenu::placeFrames() {
    CenterFrame(centralWidget(), frMainMenu);
    fraClient->setGeometry(16, 16, 280, std::max(200, centralWidget()->height() - 32));
    imgKPXLogo->move(centralWidget()->width() - imgKPXLogo->sizeHint().width() - 16, 16);
    imgKPXLogo->adjustSize();
}

void frmMainMenu::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placeFrames();
}

void frmMainMenu::RefreshNameDisplay() {
    if (session_.disk.NumClients() <= 0 || !ListEnabled)
        return;
    FillClientList(lbNameDisplay, session_.disk);
}

void frmMainMenu::ReloadNameDisplay() {
    lbNameDisplay->clear();
    RefreshNameDisplay();
}

void frmMainMenu::FocusClientList() {
    lbNameDisplay->setFocus(Qt::OtherFocusReason);
}

void frmMainMenu::EnableEditChoice() {
    const QListWidgetItem* current = lbNameDisplay->currentItem();
    const bool selected = current && current->isSelected() && !current->text().isEmpty();
    menu->cmdMenuChoice(EditClient)->setEnabled(selected);
}

void frmMainMenu::lbNameDisplay_Click() {
    EnableEditChoice();
    const QListWidgetItem* current = lbNameDisplay->currentItem();
    if (!current || !current->isSelected())
        return;
    // Only the number before the first hyphen identifies the client; names may hold hyphens.
    const QString text = current->text();
    const int client = text.left(text.indexOf(u'-')).toInt();
    if (client >= 1 && client <= session_.disk.NumClients())
        session_.CurClient = client;
}

void frmMainMenu::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmMainMenu::Form_Activate() {
    placeFrames();
    EnableEditChoice();
    RefreshNameDisplay();
    lbNameDisplay->clearSelection();
    lbNameDisplay->setCurrentItem(nullptr);
    menu->cmdMenuChoice(EditClient)->setEnabled(false);
    if (!UnloadOthers)
        return;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible() && window->isWindow() &&
            !window->inherits("QMenu"))
            window->close();
}

void frmMainMenu::cmdMenuChoice_Click(int index) {
    switch (index) {
    case EditClient:
        session_.EditExisting = true;
        session_.FromScan = false;
        UnloadOthers = false;
        ListEnabled = false;
        frMainMenu->hide();
        RunChain(session_, kClientChain);
        UnloadOthers = true;
        frMainMenu->show();
        ListEnabled = true;
        break;
    case AddClient:
        if (session_.disk.NumClients() >= kMaxClients) {
            MsgBox(DiskFullText(), vbExclamation, kDiskFullTitle);
            return;
        }
        session_.EditExisting = false;
        session_.FromScan = false;
        ListEnabled = false;
        frMainMenu->hide();
        RunChain(session_, {ChainWindow::SelectEntryMethod});
        // A new client abandoned before its answers were saved leaves no current client
        // beyond the file.
        if (session_.CurClient > session_.disk.NumClients())
            session_.CurClient = session_.disk.NumClients() > 0 ? 1 : 0;
        frMainMenu->show();
        ListEnabled = true;
        RefreshNameDisplay();
        break;
    case Supervisor:
        ListEnabled = false;
        frMainMenu->hide();
        RunChain(session_, {ChainWindow::SupervisorOptions});
        frMainMenu->show();
        ListEnabled = true;
        break;
    case ExitApplication:
        EndProgram();
        break;
    default:
        break;
    }
}

void frmMainMenu::mnuDrive_Click() {
    const DriveSelection selection =
        SelectDataDrive(session_, false, [this] { ReloadNameDisplay(); });
    if (selection == DriveSelection::EndProgram)
        EndProgram();
}

void frmMainMenu::mnuHelpAbout_Click() {
    frmAbout about(session_.skipSplashWait, this);
    about.setSplash(false);
    about.exec();
}

void frmMainMenu::ComeForward() {
    QWidget* waiting = QApplication::activeModalWidget();
    if (!waiting && !started)
        return; // still starting, with nothing to answer: an empty menu would only confuse
    if (!waiting) {
        showNormal();
        waiting = this;
    }
    waiting->raise();
    waiting->activateWindow();
}

void frmMainMenu::EndProgram() {
    close();
}

void frmMainMenu::closeEvent(QCloseEvent* event) {
    // Closing the window by the window manager is "Exit Application". Nothing is saved at
    // exit: every record was written when its window was confirmed.
    event->accept();
    if (!ended) {
        ended = true;
        emit programEnded();
        QCoreApplication::quit();
    }
}

} // namespace dvq3
