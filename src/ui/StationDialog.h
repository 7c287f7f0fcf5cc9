#pragma once

#include <QDialog>

namespace dvq3 {

// The shape the station's windows share: the window is set up once, after it is first shown and
// laid out (a message box over it shows and activates it again and must change nothing); its main
// frame stays centred, also on every activation, and the help panel runs along the bottom edge.
class StationDialog : public QDialog {
protected:
    explicit StationDialog(QWidget* parent = nullptr) : QDialog(parent) {}
    // The frame kept centred and the help panel kept at the bottom; either may be null.
    void KeepPlaced(QWidget* frame, QWidget* panel) {
        frame_ = frame;
        panel_ = panel;
    }
    bool Activated() const { return activated_; }

    // Runs once, from the event loop after the first show.
    virtual void Form_Activate() {}
    // Places the frames in the window; by default centres the kept frame.
    virtual void placeFrames();

    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* frame_ = nullptr;
    QWidget* panel_ = nullptr;
    bool activated_ = false;
};

} // namespace dvq3
