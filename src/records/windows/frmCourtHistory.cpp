#include "records/windows/frmCourtHistory.h"

#include "records/ClientInfoRules.h"
#include "records/RecordsMessages.h"
#include "records/windows/RecordSave.h"
#include "station/Session.h"
#include "ui/MenuButtons.h"
#include "ui/MsgBox.h"
#include "ui/SelectAllOnFocus.h"
#include "ui/TextRoom.h"
#include "ui/WindowRoutines.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

namespace dvq3 {
namespace {
enum Choice { InformationOk = 0, CancelInput = 1, CheckScales = 2 };
} // namespace

frmCourtHistory::frmCourtHistory(Session& session, QWidget* parent)
    : StationDialog(parent), session_(session) {
    setObjectName(QStringLiteral("frmCourtHistory"));
    setWindowTitle(kCourtHistoryCaption);
    resize(760, 460);

    frCourt = new QFrame(this);
    frCourt->setObjectName(QStringLiteral("frCourt"));
    auto* grid = new QGridLayout(frCourt);
    lblClientName = new QLabel(frCourt);
    lblClientName->setObjectName(QStringLiteral("lblClientName"));
    lblClientName->setVisible(false);
    grid->addWidget(lblClientName, 0, 0, 1, 2);
    const char* names[] = {"txtDUIDWI", "txtAlcoholArrests", "txtDrugArrests"};
    const char* captions[] = {
        "Total number of DUI/DWI arrests in lifetime . . . . . . . . . . . . . . .",
        "Number of alcohol-related arrests in lifetime . . . . . . . . . . . . .",
        "Number of drug-related arrests in lifetime . . . . . . . . . . . . . . . ."};
    QLineEdit* boxes[3];
    for (int i = 0; i < 3; ++i) {
        lblInfo[i] = new QLabel(QString::fromLatin1(captions[i]), frCourt);
        lblInfo[i]->setObjectName(QStringLiteral("lblInfo%1").arg(i));
        KeepRoomForBold(lblInfo[i]);
        boxes[i] = new QLineEdit(frCourt);
        boxes[i]->setObjectName(QLatin1String(names[i]));
        boxes[i]->setMaxLength(2);
        boxes[i]->setFixedWidth(60);
        new SelectAllOnFocus(boxes[i]);
        boxes[i]->installEventFilter(this);
        grid->addWidget(lblInfo[i], i + 1, 0);
        grid->addWidget(boxes[i], i + 1, 1);
    }
    txtDUIDWI = boxes[0];
    txtAlcoholArrests = boxes[1];
    txtDrugArrests = boxes[2];

    msgPanel = new MsgPanel(this);
    menu = new MenuButtons(msgPanel, this);
    grid->addWidget(menu->add(frCourt, QStringLiteral("Information OK"), kInfoOkHelp), 4, 0, 1, 2);
    grid->addWidget(menu->add(frCourt, QStringLiteral("Cancel Input"), kCancelInputHelp), 5, 0, 1,
                    2);
    grid->addWidget(menu->add(frCourt, QStringLiteral("Check"), QString()), 6, 0, 1, 2);
    setTabOrder(txtDUIDWI, txtAlcoholArrests);
    setTabOrder(txtAlcoholArrests, txtDrugArrests);
    setTabOrder(txtDrugArrests, menu->cmdMenuChoice(InformationOk));
    setTabOrder(menu->cmdMenuChoice(InformationOk), menu->cmdMenuChoice(CancelInput));
    connect(menu, &MenuButtons::clicked, this, &frmCourtHistory::cmdMenuChoice_Click);
    frCourt->setFixedSize(frCourt->sizeHint());
    KeepPlaced(frCourt, msgPanel);

    // The station's hidden way out: closes at once, saving nothing.
    auto* close = new QShortcut(QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_F10), this);
    close->setContext(Qt::WindowShortcut);
    connect(close, &QShortcut::activated, this, &frmCourtHistory::reject);

    // Form_Load. A chain goes on only when this window is confirmed.
    session_.ContinueFlag = false;
    // A scanned sheet's counts are in memory already, to be reviewed.
    if (session_.EditExisting || session_.FromScan)
        GetCourtData();
    menu->sspMenuChoice(CheckScales)->hide();
}

void frmCourtHistory::Form_Activate() {
    lblClientName->setText(session_.CurrentClient().Name);
    lblClientName->setVisible(true);
    if (session_.EditExisting)
        menu->cmdMenuChoice(InformationOk)->setFocus();
    else
        txtDUIDWI->setFocus();
}

void frmCourtHistory::GetCourtData() {
    const ClientRecord& record = session_.CurrentClient();
    txtDUIDWI->setText(record.DUIArrests.trimmed());
    txtAlcoholArrests->setText(record.AlcoholArrests.trimmed());
    txtDrugArrests->setText(record.DrugArrests.trimmed());
}

bool frmCourtHistory::SaveCourtData() {
    ClientRecord& record = session_.CurrentClient();
    const ClientRecord before = record;
    record.set(&ClientRecord::DUIArrests, txtDUIDWI->text().trimmed());
    record.set(&ClientRecord::AlcoholArrests, txtAlcoholArrests->text().trimmed());
    record.set(&ClientRecord::DrugArrests, txtDrugArrests->text().trimmed());
    // An existing client is written even when nothing changed.
    return !session_.EditExisting || SaveRecord(session_, session_.CurClient, before);
}

bool frmCourtHistory::CountEnter(QLineEdit* box) {
    const QString text = box->text().trimmed();
    if (ValidCount(text)) {
        box->setText(text.toUpper());
        return true;
    }
    Beep();
    MsgBox(kCountError, vbCritical, kCountErrorTitle);
    return false;
}

bool frmCourtHistory::CountKeyPress(QKeyEvent* key, QLineEdit* box, QWidget* next) {
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (CountEnter(box))
            next->setFocus();
        return true;
    }
    const bool character = !key->text().isEmpty() && key->text().at(0).isPrint();
    if (character && box->selectedText().size() != 2 && box->text().size() >= 2) {
        Beep();
        box->setText(box->text().left(2));
        return true;
    }
    return false;
}

bool frmCourtHistory::eventFilter(QObject* watched, QEvent* event) {
    QLineEdit* boxes[] = {txtDUIDWI, txtAlcoholArrests, txtDrugArrests};
    QWidget* next[] = {txtAlcoholArrests, txtDrugArrests, menu->cmdMenuChoice(InformationOk)};
    for (int i = 0; i < 3; ++i) {
        if (watched != boxes[i])
            continue;
        if (event->type() == QEvent::KeyPress)
            return CountKeyPress(static_cast<QKeyEvent*>(event), boxes[i], next[i]);
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            const bool in = event->type() == QEvent::FocusIn;
            if (in)
                msgPanel->setCaption(kCountHelp);
            QFont font = lblInfo[i]->font();
            font.setBold(in);
            lblInfo[i]->setFont(font);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmCourtHistory::cmdMenuChoice_Click(int index) {
    if (index == CancelInput) {
        reject();
        return;
    }
    if (index != InformationOk)
        return;
    for (QLineEdit* box : {txtDUIDWI, txtAlcoholArrests, txtDrugArrests}) {
        if (!ValidCount(box->text().trimmed())) {
            (void)CountEnter(box);
            box->setFocus();
            return;
        }
    }
    if (!SaveCourtData())
        return;
    session_.ContinueFlag = true;
    accept();
}

void frmCourtHistory::reject() {
    // Any close but "Information OK" is "Cancel Input": nothing is copied into the record.
    session_.ContinueFlag = false;
    QDialog::reject();
}

} // namespace dvq3
