#pragma once

#include "station/Session.h"
#include "ui/MenuButtons.h"

#include <QGroupBox>
#include <QListWidget>
#include <QMainWindow>

namespace dvq3 {

// The hub of the station: the clients of the data disk and the four menu buttons. Every
// workflow is a chain of modal windows started here, and control always comes back here.
class frmMainMenu : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMainMenu(Session& session, QWidget* parent = nullptr);

    // The client list may be rebuilt; false while a workflow chain runs.
    bool ListEnabled = false;
    // On activation, close every other open window.
    bool UnloadOthers = false;
    // Set once the program has been ended from here (exit, or a data disk that is gone).
    bool ended = false;
    // Set once start-up has brought the station to this menu.
    bool started = false;

    // Rebuilds the client list: "3-" followed by the 25-character name.
    void RefreshNameDisplay();
    // Empties the client list and fills it from the data disk now in use.
    void ReloadNameDisplay();
    // The keyboard starts in the client list (or on "Add New Client" when there is none).
    void FocusClientList();
    // What happens every time the main window becomes active.
    void Form_Activate();
    // Runs the action of menu button index (0 edit, 1 add, 2 supervisor, 3 exit).
    void cmdMenuChoice_Click(int index);
    void mnuDrive_Click();
    void mnuHelpAbout_Click();
    // Ends the program: the window closes and the event loop ends.
    void EndProgram();
    // A second launch asks the running station to come forward: the box or window waiting for
    // an answer if there is one, else this menu once start-up has finished.
    void ComeForward();

signals:
    void programEnded();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void EnableEditChoice();
    void lbNameDisplay_Click();
    void placeFrames();

    Session& session_;
    QFrame* frMainMenu;
    MenuButtons* menu;
    QGroupBox* fraClient;
    QListWidget* lbNameDisplay;
    MsgPanel* msgPanel;
    QLabel* imgKPXLogo;
    QAction* mnuExit;
    QAction* mnuDrive;
    QAction* mnuOptionsInstallVoice;
    QAction* mnuHelpAbout;
};

} // namespace dvq3
