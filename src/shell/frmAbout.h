#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <array>

namespace dvq3 {

// The about box, also shown as the splash screen at start-up. Six panels cover the publisher's
// logo and lines and shrink away on a 10 ms timer; the reveal sets FadeDone.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    // skipWaits: the reveal and the splash's hold are skipped (the /NOWAIT test switch).
    explicit frmAbout(bool skipWaits = false, QWidget* parent = nullptr);

    bool Splash() const { return splash_; }
    void setSplash(bool splash);
    bool FadeDone() const { return fadeDone_; }

    // Unloads a splash: it holds on for four more ticks of a 1000 ms timer (about four
    // seconds) before it closes. An about box closes at once.
    void Unload();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Timer1_Timer();

    QPushButton* cmdOK;
    QLabel* imgKPXLogo;
    QTimer Timer1;
    bool skipWaits_;
    std::array<QFrame*, 6> Picture2{};
    void finishReveal();
    void placeCovers();

    QWidget* fraButtons_ = nullptr;
    bool splash_ = false;
    bool fadeDone_ = false;
    bool closing_ = false;
    int closingTicks_ = 0;
    std::array<int, 6> coverTwips_{};
};

} // namespace dvq3
