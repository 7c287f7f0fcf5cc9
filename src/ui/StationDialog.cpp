#include "ui/StationDialog.h"

#include "ui/WindowRoutines.h"

#include <QEvent>
#include <QTimer>

namespace dvq3 {

namespace {
constexpr int kPanelHeight = 28;
}

void StationDialog::placeFrames() {
    if (frame_)
        CenterFrame(this, frame_);
}

void StationDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_)
        return;
    activated_ = true;
    if (!isMaximized())
        CenterForm(this);
    placeFrames();
    QTimer::singleShot(0, this, [this] { Form_Activate(); });
}

void StationDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && activated_)
        placeFrames();
}

void StationDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (panel_)
        panel_->setGeometry(0, height() - kPanelHeight, width(), kPanelHeight);
    placeFrames();
}

} // namespace dvq3
