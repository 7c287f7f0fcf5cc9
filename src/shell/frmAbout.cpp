#include "shell/frmAbout.h"

#include "ui/TextRoom.h"
#include "ui/Twips.h"
#include "ui/WindowRoutines.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace dvq3 {

namespace {

constexpr int kCoverTwips = 1200; // each covering panel's height before the reveal
constexpr int kStepTwips = 50;
constexpr int kRevealedTwips = 61;

QPixmap PublisherLogo() {
    QPixmap logo(96, 96);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0, 0, 160));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(logo.rect().adjusted(2, 2, -2, -2), 14, 14);
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("Sans Serif"), 18, QFont::Bold);
    painter.setFont(font);
    painter.drawText(logo.rect(), Qt::AlignCenter, QStringLiteral("CV\nIII"));
    return logo;
}

} // namespace

frmAbout::frmAbout(bool skipWaits, QWidget* parent) : QDialog(parent), skipWaits_(skipWaits) {
    setObjectName(QStringLiteral("frmAbout"));
    auto* content = new QFrame(this);
    content->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* title = new QLabel(QStringLiteral("Corvalent-III v4.01"), content);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont(QStringLiteral("Sans Serif"), 16, QFont::Bold);
    title->setFont(titleFont);
    imgKPXLogo = new QLabel(content);
    imgKPXLogo->setObjectName(QStringLiteral("imgKPXLogo"));
    imgKPXLogo->setPixmap(PublisherLogo());
    imgKPXLogo->setVisible(false);
    auto* publisher = new QLabel(QStringLiteral("Corvalent Assessment Press\n"
                                                "Telephone (555) 014-4010\n"
                                                "corvalent.example/dvq3\n"
                                                "P.O. Box 401, Lakeview, MN 55000"),
                                 content);
    publisher->setObjectName(QStringLiteral("lblPublisher"));
    auto* contentLayout = new QHBoxLayout(content);
    contentLayout->addWidget(imgKPXLogo);
    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(publisher);
    contentLayout->addLayout(texts);

    fraButtons_ = new QWidget(this);
    cmdOK = new QPushButton(QStringLiteral("OK"), fraButtons_);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    KeepRoomForFocus(cmdOK);
    auto* buttons = new QHBoxLayout(fraButtons_);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(content);
    layout->addWidget(fraButtons_);

    for (int i = 0; i < 6; ++i) {
        Picture2[i] = new QFrame(content);
        Picture2[i]->setObjectName(QStringLiteral("Picture2%1").arg(i));
        Picture2[i]->setAutoFillBackground(true);
        coverTwips_[i] = kCoverTwips;
    }
    Timer1.setInterval(10);
    connect(&Timer1, &QTimer::timeout, this, &frmAbout::Timer1_Timer);
    setSplash(false);
}

void frmAbout::setSplash(bool splash) {
    splash_ = splash;
    setWindowTitle(splash ? QStringLiteral("Initializing...") : QStringLiteral("About DVQ-III"));
    fraButtons_->setVisible(!splash);
}

void frmAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CenterForm(this);
    placeCovers();
    if (skipWaits_)
        finishReveal();
    else if (!fadeDone_)
        Timer1.start();
}

void frmAbout::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The box takes its final size only once its texts are laid out on screen: centre it then.
    if (isVisible())
        CenterForm(this);
    placeCovers();
}

void frmAbout::placeCovers() {
    // The covers lie in strips over the whole content, each as wide as the content, and shrink
    // in proportion to the height they have left.
    QWidget* content = Picture2[0]->parentWidget();
    const int strip = content->height() / 6 + 1;
    for (int i = 0; i < 6; ++i) {
        const int height = strip * std::max(0, coverTwips_[i]) / kCoverTwips;
        Picture2[i]->setGeometry(0, i * strip, content->width(), height);
        Picture2[i]->raise();
    }
}

void frmAbout::Timer1_Timer() {
    if (closing_) {
        ++closingTicks_;
        fadeDone_ = true;
        return;
    }
    imgKPXLogo->setVisible(true);
    for (int i = 0; i < 6; ++i)
        coverTwips_[i] -= kStepTwips;
    placeCovers();
    if (coverTwips_[0] < kRevealedTwips)
        finishReveal();
}

void frmAbout::finishReveal() {
    imgKPXLogo->setVisible(true);
    for (QFrame* cover : Picture2)
        cover->hide();
    Timer1.stop();
    fadeDone_ = true;
}

void frmAbout::Unload() {
    if (splash_ && !skipWaits_) {
        closing_ = true;
        closingTicks_ = 0;
        Timer1.setInterval(1000);
        Timer1.start();
        QEventLoop wait;
        connect(&Timer1, &QTimer::timeout, &wait, [&] {
            if (closingTicks_ >= 4)
                wait.quit();
        });
        wait.exec();
        Timer1.stop();
    }
    close();
}

} // namespace dvq3
