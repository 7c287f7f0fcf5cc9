#include "sheets/windows/frmDebugView.h"

#include "platform/ProgramFolder.h"
#include "sheets/AnswerSheetDrawing.h"
#include "sheets/ScanMessages.h"
#include "ui/TextRoom.h"
#include "ui/WindowRoutines.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>

#include <algorithm>

namespace dvq3 {

frmDebugView::frmDebugView(std::function<void()> endProgram, QWidget* parent)
    : QDialog(parent), endProgram_(std::move(endProgram)) {
    setObjectName(QStringLiteral("frmDebugView"));
    setWindowTitle(kDebugViewCaption);
    resize(920, 720);

    leadDebug = new QLabel(this);
    leadDebug->setObjectName(QStringLiteral("leadDebug"));
    leadDebug->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scrollImage = new QScrollArea(this);
    scrollImage->setWidget(leadDebug);
    scrollImage->setFocusPolicy(Qt::NoFocus);
    txtX = new QLineEdit(this);
    txtX->setObjectName(QStringLiteral("txtX"));
    txtY = new QLineEdit(this);
    txtY->setObjectName(QStringLiteral("txtY"));
    lblTested = new QLabel(this);
    lblTested->setObjectName(QStringLiteral("lblTested"));
    cmdDone = new QPushButton(kNextBoxCaption, this);
    cmdDone->setObjectName(QStringLiteral("cmdDone"));
    cmdDone->setDefault(true);
    Command1 = new QPushButton(kStopCaption, this);
    Command1->setObjectName(QStringLiteral("Command1"));
    KeepRoomForFocus(cmdDone);
    KeepRoomForFocus(Command1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("X:"), this), 0, 0);
    grid->addWidget(txtX, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Y:"), this), 0, 2);
    grid->addWidget(txtY, 0, 3);
    grid->addWidget(lblTested, 0, 4);
    grid->addWidget(scrollImage, 1, 0, 1, 7);
    grid->addWidget(cmdDone, 2, 5);
    grid->addWidget(Command1, 2, 6);
    grid->setColumnStretch(4, 1);
    setTabOrder(cmdDone, Command1);
    setTabOrder(Command1, txtX);
    setTabOrder(txtX, txtY);

    connect(txtX, &QLineEdit::textChanged, this, [this] { TextChanged(txtX, xVal_); });
    connect(txtY, &QLineEdit::textChanged, this, [this] { TextChanged(txtY, yVal_); });
    connect(cmdDone, &QPushButton::clicked, this, &QDialog::accept);
    connect(Command1, &QPushButton::clicked, this, &frmDebugView::Command1_Click);

    // The page the reader was given; a missing one leaves the coordinates to go by.
    if (auto loaded = lead_.Load(StationFile(QStringLiteral("Raw.bmp"))); !loaded)
        leadDebug->setText(loaded.error().text());
}

void frmDebugView::setXVal(qint16 value) {
    xVal_ = value;
    Refresh();
}

void frmDebugView::setYVal(qint16 value) {
    yVal_ = value;
    Refresh();
}

void frmDebugView::setTestedBox(const QString& field, int count) {
    lblTested->setText(TestedBoxText(field, count));
}

void frmDebugView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The scan runs under the hourglass; the operator gets the ordinary pointer here.
    waitPointer_ = QApplication::overrideCursor() != nullptr;
    SetDefaultPointer();
    filling_ = true;
    txtX->setText(QString::number(xVal_));
    txtY->setText(QString::number(yVal_));
    filling_ = false;
    Refresh();
    CenterForm(this);
    cmdDone->setFocus();
}

void frmDebugView::TextChanged(QLineEdit* box, qint16& value) {
    bool ok = false;
    const int typed = box->text().trimmed().toInt(&ok);
    value = ok ? static_cast<qint16>(std::clamp(typed, -32768, 32767)) : 0;
    if (!filling_)
        Refresh();
}

void frmDebugView::Refresh() {
    if (lead_.isNull())
        return;
    QImage shown = lead_.image().copy();
    QPainter painter(&shown);
    painter.setPen(QPen(Qt::red, 2));
    painter.drawRect(xVal_ - 2, yVal_ - 2, kBubbleTestSize + 3, kBubbleTestSize + 3);
    painter.drawLine(xVal_ - 30, yVal_ + kBubbleTestSize / 2, xVal_ - 8,
                     yVal_ + kBubbleTestSize / 2);
    painter.end();
    leadDebug->setPixmap(QPixmap::fromImage(shown));
    leadDebug->resize(shown.size());
    scrollImage->ensureVisible(xVal_, yVal_, 150, 150);
}

void frmDebugView::Command1_Click() {
    stopped_ = true;
    accept();
    if (endProgram_)
        endProgram_();
}

void frmDebugView::done(int result) {
    QDialog::done(result);
    if (waitPointer_)
        SetWaitPointer();
}

} // namespace dvq3
