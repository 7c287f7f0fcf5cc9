#include "administration/windows/frmSelectEntryMethod.h"

#include "administration/AdminTexts.h"
#include "administration/QuestionTable.h"
#include "administration/windows/QtAudioBackend.h"
#include "administration/windows/frmPresentQA.h"
#include "administration/windows/frmSelectLanguage.h"
#include "records/windows/SecretCode.h"
#include "station/Session.h"
#include "ui/ChainRunner.h"
#include "ui/MenuButtons.h"
#include "ui/MsgBox.h"
#include "ui/TextRoom.h"
#include "ui/WindowRoutines.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace dvq3 {
namespace {
enum Method { OnScreen = 0, AnswerSheet = 1, Scan = 2, CancelEntry = 3 };
} // namespace

frmSelectEntryMethod::frmSelectEntryMethod(Session& session, AudioBackend* audio, QWidget* parent)
    : StationDialog(parent), session_(session) {
    if (!audio) {
        ownAudio_ = std::make_unique<QtAudioBackend>();
        audio = ownAudio_.get();
    }
    audio_ = audio;
    setObjectName(QStringLiteral("frmSelectEntryMethod"));
    setWindowTitle(kEntryMethodCaption);
    resize(760, 480);

    fraSelectMethod = new QGroupBox(kSelectMethodFrame, this);
    fraSelectMethod->setObjectName(QStringLiteral("fraSelectMethod"));
    fraSelectMethod->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(fraSelectMethod);
    msgPanel = new MsgPanel(this);
    menu = new MenuButtons(msgPanel, this);
    for (int i = 0; i < 4; ++i)
        layout->addWidget(menu->add(fraSelectMethod, kMethodCaptions[i], kMethodHelp[i]));
    // Room also for the longer caption the last button takes while a client is being edited.
    QPushButton* cancel = menu->cmdMenuChoice(CancelEntry);
    cancel->setText(kCancelEditCaption);
    KeepRoomForFocus(cancel);
    cancel->setText(kMethodCaptions[CancelEntry]);
    fraSelectMethod->setFixedSize(std::max(420, fraSelectMethod->sizeHint().width()),
                                  fraSelectMethod->sizeHint().height());
    connect(menu, &MenuButtons::clicked, this, &frmSelectEntryMethod::cmdMenuChoice_Click);

    // Left behind when the menu is hidden, so a client taking the test sees no menu.
    frBlank = new QFrame(this);
    frBlank->setObjectName(QStringLiteral("frBlank"));
    frBlank->setFixedSize(fraSelectMethod->size());
    frBlank->lower();
    lblClientName = new QLabel(this);
    lblClientName->setObjectName(QStringLiteral("lblClientName"));
    lblClientName->setVisible(false);
    KeepPlaced(nullptr, msgPanel);
}

frmSelectEntryMethod::~frmSelectEntryMethod() = default;

void frmSelectEntryMethod::Form_Activate() {
    placeFrames();
    if (session_.EditExisting) {
        lblClientName->setText(session_.CurrentClient().Name);
        lblClientName->adjustSize();
        lblClientName->setVisible(true);
        menu->cmdMenuChoice(CancelEntry)->setText(kCancelEditCaption);
    }
    menu->cmdMenuChoice(OnScreen)->setFocus();
}

void frmSelectEntryMethod::placeFrames() {
    CenterFrame(this, fraSelectMethod);
    frBlank->move(fraSelectMethod->pos());
    lblClientName->move(fraSelectMethod->x(), std::max(0, fraSelectMethod->y() - 30));
}

void frmSelectEntryMethod::cmdMenuChoice_Click(int index) {
    // A chain runs inside this handler; a second Enter meanwhile must not start another.
    if (running_)
        return;
    running_ = true;
    switch (index) {
    case OnScreen:
        AdministerTest();
        break;
    case AnswerSheet:
        EnterFromSheet();
        break;
    case Scan:
        RunChain(session_, {ChainWindow::ScanAnswerSheet});
        break;
    default:
        break;
    }
    running_ = false;
    accept();
}

void frmSelectEntryMethod::AdministerTest() {
    if (!RunChain(session_, {ChainWindow::ClientInfo, ChainWindow::CourtHistory}))
        return;
    QString language;
    {
        frmSelectLanguage chooser(session_, this);
        if (chooser.LanguageCount() < 2) {
            language = chooser.ButtonCaption(0);
        } else {
            session_.ContinueFlag = false;
            chooser.exec();
            language = chooser.Language();
        }
    }
    if (!session_.ContinueFlag)
        return;
    // A table the presentation cannot run on is refused before the client sees anything.
    Result<Recordset> questions = OpenQuestionTable(session_.dbTest, language);
    if (!questions) {
        session_.ContinueFlag = false;
        MsgBox(questions.error().text(), vbCritical, kOnScreenTitle);
        return;
    }
    fraSelectMethod->hide();
    msgPanel->setCaption(kWhenReadyHelp);
    CoverScreen(true);
    MsgBox(kTestBeginsText, vbOKOnly, kOnScreenTitle);
    {
        frmPresentQA presentation(session_, language, std::move(questions).value(), *audio_, this);
        presentation.exec();
    }
    // Completed or broken off, the client does not get back to the station without the
    // supervisor.
    msgPanel->setCaption(kSecretCodeHelpLine);
    while (!GetSecretCode(this)) {
    }
    CoverScreen(false);
}

void frmSelectEntryMethod::CoverScreen(bool cover) {
    if (cover) {
        normalGeometry_ = geometry();
        // Also where no window manager honours the full-screen state.
        if (screen())
            setGeometry(screen()->geometry());
        setWindowState(windowState() | Qt::WindowFullScreen);
        raise();
    } else {
        setWindowState(windowState() & ~Qt::WindowFullScreen);
        setGeometry(normalGeometry_);
    }
}

void frmSelectEntryMethod::EnterFromSheet() {
    RunChain(session_, kClientChain);
}

} // namespace dvq3
