#include "reports/windows/frmViewReport.h"

#include "reports/ReportMessages.h"
#include "reports/ScoreClient.h"
#include "reports/windows/ReportPrinting.h"
#include "station/Session.h"
#include "ui/MsgBox.h"
#include "ui/TextRoom.h"
#include "ui/WindowRoutines.h"

#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace dvq3 {

frmViewReport::frmViewReport(Session& session, QWidget* parent)
    : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("frmViewReport"));
    setWindowTitle(QStringLiteral("Client Report"));
    resize(860, 680);
    fraAll = new QFrame(this);
    fraAll->setObjectName(QStringLiteral("fraAll"));
    Text1 = new QPlainTextEdit(fraAll);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    cmdPrintReport = new QPushButton(QStringLiteral("Print Report"), fraAll);
    cmdPrintReport->setObjectName(QStringLiteral("cmdPrintReport"));
    cmdSavePdf = new QPushButton(QStringLiteral("Save as PDF"), fraAll);
    cmdSavePdf->setObjectName(QStringLiteral("cmdSavePdf"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), fraAll);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPrintReport);
    buttons->addWidget(cmdSavePdf);
    buttons->addStretch();
    buttons->addWidget(cmdCancel);
    auto* frameLayout = new QVBoxLayout(fraAll);
    frameLayout->addWidget(Text1);
    frameLayout->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraAll);

    for (QPushButton* button : {cmdPrintReport, cmdSavePdf, cmdCancel}) {
        KeepRoomForFocus(button);
        button->installEventFilter(this);
    }
    connect(cmdPrintReport, &QPushButton::clicked, this, [this] { PrintReport(PdfName()); });
    connect(cmdSavePdf, &QPushButton::clicked, this, [this] { SaveReportAsPdf(this, PdfName()); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmViewReport::MOUSEDEFAULT() {
    SetDefaultPointer();
}

void frmViewReport::MOUSEWAIT() {
    SetWaitPointer();
}

QString frmViewReport::PdfName() const {
    const int client = session_.CurClient;
    return ReportPdfName(client, session_.disk.IsTableIndex(client)
                                     ? session_.disk.Clients(client).Name
                                     : QString());
}

void frmViewReport::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !activated_) {
        activated_ = true;
        Form_Activate();
    }
}

void frmViewReport::Form_Activate() {
    if (!isMaximized())
        CenterForm(this);
    // The report shown is the one scored as the window opened; nothing of a fault is shown.
    MOUSEWAIT();
    auto scored = ScoreClient(session_);
    if (!scored) {
        MOUSEDEFAULT();
        MsgBox(scored.error().text(), vbCritical, kReportErrorTitle);
        QTimer::singleShot(0, this, &QDialog::reject);
        return;
    }
    scored_ = true;
    LoadReportText(Text1);
    MOUSEDEFAULT();
}

namespace {

bool IsScrollKey(int key) {
    return key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_PageDown ||
           key == Qt::Key_PageUp;
}

} // namespace

// The scroll keys take the focus to the report wherever they are pressed, buttons included.
bool frmViewReport::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched != Text1 &&
        IsScrollKey(static_cast<QKeyEvent*>(event)->key())) {
        Text1->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmViewReport::keyPressEvent(QKeyEvent* event) {
    if (IsScrollKey(event->key()))
        Text1->setFocus(Qt::OtherFocusReason);
    else
        QDialog::keyPressEvent(event);
}

} // namespace dvq3
