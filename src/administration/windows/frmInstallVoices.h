#pragma once

#include "ui/StationDialog.h"

class QGroupBox;
class QLabel;
class QProgressBar;

namespace dvq3 {

class MenuButtons;
class MsgPanel;
class Session;

// Speaks the missing voice prompts of every language as soon as it opens, showing each prompt as
// it is spoken; Esc or "Cancel" stops it between two prompts. At the end a message tells how many
// prompts were written and kept, or why none could be, and the window closes.
class frmInstallVoices : public StationDialog {
    Q_OBJECT
public:
    explicit frmInstallVoices(Session& session, QWidget* parent = nullptr);

    void reject() override;

private:
    void Form_Activate() override;
    void InstallVoices();

    Session& session_;
    QGroupBox* fraProgress;
    QLabel* lblPrompt;
    QProgressBar* prgVoices;
    MsgPanel* msgPanel;
    MenuButtons* menu;
    bool running_ = false;
    bool cancelled_ = false;
};

} // namespace dvq3
