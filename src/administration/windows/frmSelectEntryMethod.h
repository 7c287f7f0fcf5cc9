#pragma once

#include "ui/StationDialog.h"

#include <QRect>

#include <memory>

class QFrame;
class QGroupBox;
class QLabel;

namespace dvq3 {

class AudioBackend;
class MenuButtons;
class MsgPanel;
class Session;

// How a new client's answers are obtained: on screen, keyed from the answer sheet, or scanned.
// Each choice runs its whole chain of windows before this window closes.
class frmSelectEntryMethod : public StationDialog {
    Q_OBJECT
public:
    // audio: the device the on-screen test speaks through; the station's own when null.
    explicit frmSelectEntryMethod(Session& session, AudioBackend* audio = nullptr,
                                  QWidget* parent = nullptr);
    ~frmSelectEntryMethod() override;

private:
    void Form_Activate() override;
    void placeFrames() override;
    void cmdMenuChoice_Click(int index);
    void AdministerTest();
    void EnterFromSheet();
    // From the moment the client sits down until the supervisor's code is accepted, nothing of
    // the station but the client's own screens may show: this window covers the whole screen
    // behind them.
    void CoverScreen(bool cover);

    Session& session_;
    std::unique_ptr<AudioBackend> ownAudio_;
    AudioBackend* audio_;
    QGroupBox* fraSelectMethod;
    QFrame* frBlank;
    QLabel* lblClientName;
    MsgPanel* msgPanel;
    MenuButtons* menu;
    bool running_ = false;
    QRect normalGeometry_;
};

} // namespace dvq3
