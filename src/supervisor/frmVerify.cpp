#include "supervisor/frmVerify.h"

#include "records/RecordsMessages.h"
#include "records/windows/RecordSave.h"
#include "station/Session.h"
#include "ui/MenuButtons.h"
#include "ui/MsgBox.h"
#include "ui/SelectAllOnFocus.h"
#include "ui/TextRoom.h"
#include "ui/WindowRoutines.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dvq3 {
namespace {

QString QuestionText(int item) {
    return QStringLiteral("Question #") + QString::number(item);
}

} // namespace

frmVerify::frmVerify(Session& session, QWidget* parent)
    : StationDialog(parent), session_(session), pass_(session.CurrentClient().Responses) {
    setObjectName(QStringLiteral("frmVerify"));
    setWindowTitle(kVerifyCaption);
    resize(640, 420);

    frAll = new QGroupBox(QStringLiteral("Data Verification"), this);
    frAll->setObjectName(QStringLiteral("frAll"));
    auto makeFrame = [this](const char* name, const char* caption, QLineEdit*& box, QLabel*& label,
                            const char* boxName, const char* labelName) {
        auto* frame = new QGroupBox(QLatin1String(caption), frAll);
        frame->setObjectName(QLatin1String(name));
        label = new QLabel(frame);
        label->setObjectName(QLatin1String(labelName));
        box = new QLineEdit(frame);
        box->setObjectName(QLatin1String(boxName));
        box->setMaxLength(1);
        box->setFixedWidth(40);
        auto* row = new QHBoxLayout(frame);
        row->addWidget(label);
        row->addWidget(box);
        return frame;
    };
    Frame2 = makeFrame("Frame2", "Current Question", txtCurQuestion, lblCurQuestion,
                       "txtCurQuestion", "lblCurQuestion");
    Frame1 = makeFrame("Frame1", "Previous Question", txtPrevQuestion, lblPrevQuestion,
                       "txtPrevQuestion", "lblPrevQuestion");
    txtPrevQuestion->setReadOnly(true);
    txtPrevQuestion->setFocusPolicy(Qt::NoFocus);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), frAll);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    KeepRoomForFocus(cmdCancel);
    auto* column = new QVBoxLayout(frAll);
    column->addWidget(Frame2);
    column->addWidget(Frame1);
    column->addWidget(cmdCancel);
    frAll->setFixedSize(360, frAll->sizeHint().height());
    pnlMessage = new MsgPanel(this);
    pnlMessage->setObjectName(QStringLiteral("pnlMessage"));
    KeepPlaced(frAll, pnlMessage);

    new SelectAllOnFocus(txtCurQuestion);
    txtCurQuestion->installEventFilter(this);
    cmdCancel->installEventFilter(this);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    lblCurQuestion->setText(QuestionText(1));
    pnlMessage->setCaption(kVerifyHelp);
    Frame1->hide();
}

void frmVerify::Form_Activate() {
    txtCurQuestion->setFocus();
}

void frmVerify::ShowQuestion() {
    if (pass_.CurPos < 2) {
        Frame1->hide();
    } else {
        lblPrevQuestion->setText(QuestionText(pass_.PreviousItem()));
        Frame1->show();
    }
    lblCurQuestion->setText(QuestionText(pass_.CurrentItem()));
}

void frmVerify::Store(const QString& answers, const QString& text, const QString& title) {
    ClientRecord& record = session_.CurrentClient();
    const ClientRecord before = record;
    record.set(&ClientRecord::Responses, answers);
    if (!SaveRecord(session_, session_.CurClient, before)) {
        reject();
        return;
    }
    MsgBox(text, vbOKOnly, title);
    accept();
}

void frmVerify::KeyPressed(const QKeyEvent* key) {
    if (key->key() == Qt::Key_Backspace) {
        if (!pass_.Back()) {
            Beep();
            return;
        }
        if (pass_.CurPos < 2) {
            lblPrevQuestion->clear();
            txtPrevQuestion->clear();
        } else {
            lblPrevQuestion->setText(QuestionText(pass_.PreviousItem()));
            txtPrevQuestion->setText(pass_.AnswerOf(pass_.PreviousItem()));
        }
        ShowQuestion();
        return;
    }
    const QChar c = key->text().isEmpty() ? QChar() : key->text().at(0);
    if (!c.isDigit()) {
        Beep();
        return;
    }
    const int item = pass_.CurrentItem();
    switch (pass_.Answer(c)) {
    case Verification::Step::Refused:
        Beep();
        return;
    case Verification::Step::Next:
        txtPrevQuestion->setText(pass_.AnswerOf(item));
        ShowQuestion();
        return;
    case Verification::Step::NoDifferences:
        // The stored answers stand; the record is written back as it is.
        Store(session_.CurrentClient().Responses, kNoCorrectionsText, kNoCorrectionsTitle);
        return;
    case Verification::Step::Differences:
        MsgBox(kCorrectionsText, vbOKOnly, kCorrectionsTitle);
        txtPrevQuestion->clear();
        ShowQuestion();
        txtCurQuestion->clear();
        txtCurQuestion->setFocus();
        return;
    case Verification::Step::Corrected:
        Store(pass_.NewAnswers, kVerifiedText, kVerifiedTitle);
        return;
    }
}

bool frmVerify::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtCurQuestion && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return false;
        if (key->key() == Qt::Key_Escape)
            return false;
        // Each answer is one key stroke: the box never keeps what was typed.
        KeyPressed(key);
        txtCurQuestion->clear();
        return true;
    }
    if (watched == cmdCancel && event->type() == QEvent::FocusIn)
        pnlMessage->setCaption(kVerifyCancelHelp);
    if (watched == cmdCancel && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace dvq3
