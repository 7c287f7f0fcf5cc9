#include "administration/windows/frmPresentQA.h"

#include "administration/AdminTexts.h"
#include "administration/InstructionText.h"
#include "records/windows/RecordSave.h"
#include "station/Session.h"
#include "ui/MenuButtons.h"
#include "ui/MsgBox.h"
#include "ui/WindowRoutines.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace dvq3 {
namespace {

constexpr int kAnswerButtons = 5;

bool IsBreakOff(const QKeyEvent* key) {
    const auto held = key->modifiers() & (Qt::ShiftModifier | Qt::AltModifier);
    return key->key() == Qt::Key_F10 && held == (Qt::ShiftModifier | Qt::AltModifier);
}

} // namespace

frmPresentQA::frmPresentQA(Session& session, const QString& language, Recordset rsQuestions,
                           AudioBackend& audio, QWidget* parent)
    : QDialog(parent), session_(session), language_(language), spanish_(IsSpanish(language)),
      rsQuestions_(std::move(rsQuestions)),
      audio_(audio, session.SndPath, language, session.userSndPath) {
    setObjectName(QStringLiteral("frmPresentQA"));
    // No close, minimise or maximise buttons: the client leaves only by finishing the test.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(kPresentationCaption[spanish_]);
    resize(900, 640);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPointSize(13);

    frQandA = new QFrame(this);
    frQandA->setObjectName(QStringLiteral("frQandA"));
    auto* qaLayout = new QVBoxLayout(frQandA);
    fraQuestions = new QGroupBox(QStringLiteral("Question"), frQandA);
    fraQuestions->setObjectName(QStringLiteral("fraQuestions"));
    txtQuestion = new QPlainTextEdit(fraQuestions);
    txtQuestion->setObjectName(QStringLiteral("txtQuestion"));
    txtQuestion->setReadOnly(true);
    txtQuestion->setTabChangesFocus(true);
    txtQuestion->setFont(font);
    txtQuestion->setFixedHeight(110);
    // Cyan with black text while the client is on the question, blue with white text while on an
    // answer. Only a style sheet can say it: the station's focus style sheet also matches this box,
    // and a box it matches ignores palette colours.
    txtQuestion->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background-color: #0000ff; color: #ffffff; }"
                       "QPlainTextEdit:focus { background-color: #00ffff; color: #000000; }"));
    (new QVBoxLayout(fraQuestions))->addWidget(txtQuestion);
    qaLayout->addWidget(fraQuestions);

    fraAnswer = new QGroupBox(QStringLiteral("Choose Answer"), frQandA);
    fraAnswer->setObjectName(QStringLiteral("fraAnswer"));
    auto* answerLayout = new QVBoxLayout(fraAnswer);
    msgPanel = new MsgPanel(this);
    msgPanel->setWordWrap(true); // the Spanish help lines are long
    menu = new MenuButtons(msgPanel, this);
    for (int i = 0; i < kAnswerButtons; ++i) {
        answerLayout->addWidget(menu->add(fraAnswer, QString(), QString()));
        QPushButton* button = menu->cmdMenuChoice(i);
        // The answer's text lies over its button; a click on it is a click on the button.
        txtButtonText[i] = new QLabel(button);
        txtButtonText[i]->setObjectName(QStringLiteral("txtButtonText%1").arg(i));
        txtButtonText[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        txtButtonText[i]->setWordWrap(true);
        txtButtonText[i]->setFont(font);
        auto* inside = new QVBoxLayout(button);
        inside->setContentsMargins(12, 2, 12, 2);
        inside->addWidget(txtButtonText[i]);
        button->setMinimumHeight(44);
        button->installEventFilter(this);
    }
    qaLayout->addWidget(fraAnswer);
    qaLayout->addStretch(1); // items with fewer answers leave the space below
    frQandA->setFixedSize(720, frQandA->sizeHint().height());
    connect(menu, &MenuButtons::clicked, this, &frmPresentQA::ChooseAnswer);

    fraInstructions = new QGroupBox(QStringLiteral("Instructions"), this);
    fraInstructions->setObjectName(QStringLiteral("fraInstructions"));
    fraInstructions->setAutoFillBackground(true);
    txtInstructions = new QPlainTextEdit(fraInstructions);
    txtInstructions->setObjectName(QStringLiteral("txtInstructions"));
    txtInstructions->setReadOnly(true);
    txtInstructions->setFont(font);
    (new QVBoxLayout(fraInstructions))->addWidget(txtInstructions);
    fraInstructions->setFixedSize(760, std::max(480, frQandA->height()));
    fraInstructions->raise();

    setTabOrder(txtInstructions, txtQuestion);
    setTabOrder(txtQuestion, menu->cmdMenuChoice(0));
    for (int i = 1; i < kAnswerButtons; ++i)
        setTabOrder(menu->cmdMenuChoice(i - 1), menu->cmdMenuChoice(i));
    txtInstructions->installEventFilter(this);
    txtQuestion->installEventFilter(this);
    installEventFilter(this); // keys reach the window itself while no control has the focus
    audio.onError = [this](int number, const QString& description) {
        ShowSoundError(number, description);
    };

    // Form_Load: item 1 waits behind the general instructions.
    GetNextQuestion();
    PresentAnswers.fill(0);
    GoingBack = false;
    fraInstructions->show();
}

frmPresentQA::~frmPresentQA() {
    audio_.CloseAudio();
    rsQuestions_.close();
}

void frmPresentQA::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_)
        return;
    // Set up once: a message box over the window activates it again and must change nothing.
    activated_ = true;
    // The whole screen, also where no window manager honours the full-screen state.
    if (screen())
        setGeometry(screen()->geometry());
    setWindowState(windowState() | Qt::WindowFullScreen);
    QTimer::singleShot(0, this, &frmPresentQA::Form_Activate);
}

void frmPresentQA::Form_Activate() {
    CenterFrame(this, frQandA);
    CenterFrame(this, fraInstructions);
    audio_.InitAudio();
    const QString answerHelp =
        spanish_ ? kAnswerHelpSpanish : (audio_.AudioOn ? kAnswerHelpAudio : kAnswerHelpSilent);
    for (int i = 0; i < kAnswerButtons; ++i)
        menu->setHelpLine(i, answerHelp);
    FirstInstructions = true;
    TestInstructions(0);
    PlaySound(audio_.InstFile[0]);
    ResetMenuChoices(*menu, 4);
}

void frmPresentQA::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    msgPanel->setGeometry(0, height() - 48, width(), 48);
    CenterFrame(this, frQandA);
    CenterFrame(this, fraInstructions);
}

void frmPresentQA::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (ending_)
        return;
    // Kiosk: minimising or leaving the window brings it straight back; a message box of its
    // own is the only window allowed in front.
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        QTimer::singleShot(0, this, [this] { setWindowState(Qt::WindowFullScreen); });
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        QTimer::singleShot(50, this, [this] {
            if (!ending_ && QApplication::activeModalWidget() == this && !isActiveWindow()) {
                raise();
                activateWindow();
            }
        });
}

void frmPresentQA::closeEvent(QCloseEvent* event) {
    // Alt+F4 and the window manager cannot end the test; only the break-off key can.
    if (ending_)
        event->accept();
    else
        event->ignore();
}

void frmPresentQA::reject() {
    // Escape does nothing while the client takes the test.
    if (ending_)
        QDialog::reject();
}

int frmPresentQA::RecordId() const {
    return rsQuestions_.field(QStringLiteral("ID")).toInt();
}

QString frmPresentQA::Field(const char* name) const {
    return rsQuestions_.field(QLatin1String(name)).toString();
}

void frmPresentQA::ShowQuestionFrames(bool shown) {
    fraQuestions->setVisible(shown);
    fraAnswer->setVisible(shown);
}

void frmPresentQA::TestInstructions(int section) {
    const QString remembered = msgPanel->caption();
    msgPanel->setCaption(kReadInstructionsHelp);
    txtInstructions->clear();
    fraInstructions->show();
    fraInstructions->raise();
    const QString text = InstructionText(spanish_, section);
    msgPanel->setCaption(remembered);
    txtInstructions->setPlainText(
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    if (txtInstructions->hasFocus())
        msgPanel->setCaption(kInstructionsHelp[spanish_]);
    txtInstructions->setFocus();
}

void frmPresentQA::LeaveInstructions() {
    if (unsaved_) {
        SaveAnswers(); // the supervisor has made the disk ready
        return;
    }
    if (FirstInstructions) {
        // The general screen is followed at once by section 1's.
        FirstInstructions = false;
        TestInstructions(1);
        QCoreApplication::processEvents();
        PlaySound(audio_.InstFile[1]);
        return;
    }
    ShowQuestionFrames(true);
    msgPanel->setCaption(kArrowsHelp[spanish_]);
    fraInstructions->hide();
    txtQuestion->setFocus();
}

void frmPresentQA::GetNextQuestion() {
    if (FirstQuestion) {
        QNum = 1;
        FirstQuestion = false;
    } else {
        ++QNum;
    }
    if (QNum >= kItemCount + 1 && !GoingBack) {
        SaveAnswers();
        return;
    }
    ShowQuestionFrames(true);
    if (QNum > 1) {
        rsQuestions_.moveNext();
        QNum = RecordId();
    }
    if (!GoingBack) {
        for (int s = 2; s <= kSectionCount; ++s) {
            if (QNum == SectionStart[s - 1] + 1) {
                TestInstructions(s);
                QCoreApplication::processEvents();
                PlaySound(audio_.InstFile[s]);
            }
        }
    }
    txtQuestion->setPlainText(QString::number(RecordId()) + QStringLiteral(". ") +
                              Field("TestQuestion"));
    QuestionAudioFile = Field("QuestionAudio").trimmed() + QStringLiteral(".wav");
    for (int k = 1; k <= kAnswerButtons; ++k) {
        const QString answer = Field(QStringLiteral("ANSWER%1").arg(k).toLatin1().constData());
        const bool shown = k <= 2 || answer.size() >= 1;
        menu->sspMenuChoice(k - 1)->setVisible(shown);
        txtButtonText[k - 1]->setVisible(shown);
        if (!shown)
            continue;
        txtButtonText[k - 1]->setText(answer);
        ChoiceAudioFile[k - 1] =
            Field(QStringLiteral("ChoiceAudio%1").arg(k).toLatin1().constData()).trimmed() +
            QStringLiteral(".wav");
    }
    txtQuestion->moveCursor(QTextCursor::Start);
}

void frmPresentQA::ShowSectionDone() {
    msgPanel->setCaption(QString());
    MsgBox(kSectionDoneText[spanish_], vbOKOnly, kNoteTitle[spanish_]);
}

void frmPresentQA::ChooseAnswer(int index) {
    if (ending_ || fraInstructions->isVisible())
        return;
    const int id = RecordId();
    PresentAnswers[id] = index + 1;
    for (int s = 1; s <= kSectionCount; ++s) {
        if (id != SectionStart[s])
            continue;
        audio_.CloseAudio();
        ShowQuestionFrames(false);
        if (s < kSectionCount) {
            ShowSectionDone();
            ShowQuestionFrames(true);
        } else {
            msgPanel->setCaption(QString());
            MsgBox(kCompletedText[spanish_], vbOKOnly, kNoteTitle[spanish_]);
        }
    }
    GetNextQuestion();
    if (!ending_ && id < SectionStart[kSectionCount] && !fraInstructions->isVisible())
        txtQuestion->setFocus();
}

void frmPresentQA::GoBack() {
    if (RecordId() == 1) {
        Beep();
        return;
    }
    if (rsQuestions_.bof()) {
        rsQuestions_.moveFirst();
        Beep();
        return;
    }
    rsQuestions_.movePrevious();
    if (rsQuestions_.bof()) {
        rsQuestions_.moveFirst();
        Beep();
        return;
    }
    rsQuestions_.movePrevious();
    GoingBack = true;
    GetNextQuestion();
    GoingBack = false;
    menu->cmdMenuChoice(0)->setFocus();
    txtQuestion->setFocus();
}

void frmPresentQA::SaveAnswers() {
    ClientRecord& record = session_.CurrentClient();
    const ClientRecord before = record;
    const bool newClient = session_.CurClient == session_.disk.NumClients() + 1;
    record.set(&ClientRecord::Responses, BuildResponses(PresentAnswers));
    if (!SaveRecord(session_, session_.CurClient, before)) {
        // The answers stay in this window: the supervisor makes the disk ready and presses
        // Enter to save again, or breaks off.
        unsaved_ = true;
        ShowQuestionFrames(false);
        fraInstructions->show();
        fraInstructions->raise();
        txtInstructions->setPlainText(
            QString(kNotSavedText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        txtInstructions->setFocus();
        return;
    }
    if (newClient)
        session_.disk.CommitNewClient();
    session_.ContinueFlag = true;
    End(true);
}

void frmPresentQA::BreakOff() {
    // Nothing is stored: the new client stays in memory only, to be overwritten by the next.
    session_.ContinueFlag = false;
    End(false);
}

void frmPresentQA::End(bool completed) {
    ending_ = true;
    audio_.CloseAudio();
    rsQuestions_.close();
    done(completed ? Accepted : Rejected);
}

void frmPresentQA::PlaySound(const QString& file) {
    audio_.PlaySound(file);
}

void frmPresentQA::ShowSoundError(int number, const QString& description) {
    if (!Audio::Ignored(number))
        MsgBox(SoundError{number, description}.text(), vbCritical, kSoundErrorTitle);
}

void frmPresentQA::SetAnswerBold(int index, bool bold) {
    QFont font = txtButtonText[index]->font();
    font.setBold(bold);
    txtButtonText[index]->setFont(font);
}

void frmPresentQA::QuestionFocus() {
    if (fraInstructions->isVisible()) {
        QTimer::singleShot(0, txtInstructions, [this] { txtInstructions->setFocus(); });
        return;
    }
    ResetMenuChoices(*menu, 4);
    msgPanel->setCaption(kQuestionHelp[spanish_]);
    PlaySound(QuestionAudioFile);
}

void frmPresentQA::AnswerFocus(int index, bool in) {
    if (in) {
        HighlightMenuChoice(*menu, 4, index);
        SetAnswerBold(index, true);
        PlaySound(ChoiceAudioFile[index]);
    } else {
        ResetMenuChoices(*menu, 4);
        SetAnswerBold(index, false);
    }
}

bool frmPresentQA::eventFilter(QObject* watched, QEvent* event) {
    int button = -1;
    for (int i = 0; i < kAnswerButtons; ++i)
        if (watched == menu->cmdMenuChoice(i))
            button = i;
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        const bool in = event->type() == QEvent::FocusIn;
        if (watched == txtQuestion && in)
            QuestionFocus();
        else if (button >= 0)
            AnswerFocus(button, in);
        else if (watched == txtInstructions && in) {
            msgPanel->setCaption(kInstructionsHelp[spanish_]);
            for (int i = 0; i < kAnswerButtons; ++i)
                SetAnswerBold(i, false);
        }
        return false;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (IsBreakOff(key)) {
            BreakOff();
            return true;
        }
        if (key->key() == Qt::Key_Up && button == 0) {
            txtQuestion->setFocus();
            return true;
        }
        if (key->key() == Qt::Key_F10) {
            if (!fraInstructions->isVisible())
                GoBack();
            return true;
        }
        if (watched == txtInstructions) {
            // Only a plain Enter (the keypad's too) or Tab leaves: a client pressing Alt+Tab or
            // Ctrl+Tab means something else and must not skip the instructions.
            const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
            if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                          key->key() == Qt::Key_Tab))
                LeaveInstructions();
            return true;
        }
        if (watched == txtQuestion) {
            if (key->key() == Qt::Key_Down)
                menu->cmdMenuChoice(0)->setFocus();
            return key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab;
        }
        return false;
    }
    default:
        return false;
    }
}

} // namespace dvq3
