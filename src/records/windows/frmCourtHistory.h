#pragma once

#include "ui/StationDialog.h"

class QFrame;
class QLabel;
class QLineEdit;

namespace dvq3 {

class MenuButtons;
class MsgPanel;
class Session;

// The client's three lifetime arrest counts, each 0 to 99 or "N".
class frmCourtHistory : public StationDialog {
    Q_OBJECT
public:
    explicit frmCourtHistory(Session& session, QWidget* parent = nullptr);

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void GetCourtData();
    bool SaveCourtData();
    // The shared key handling of the three fields; true when the key was consumed.
    bool CountKeyPress(QKeyEvent* key, QLineEdit* box, QWidget* next);
    bool CountEnter(QLineEdit* box);
    void cmdMenuChoice_Click(int index);
    void Form_Activate() override;

    Session& session_;
    QFrame* frCourt;
    QLineEdit* txtDUIDWI;
    QLineEdit* txtAlcoholArrests;
    QLineEdit* txtDrugArrests;
    QLabel* lblInfo[3];
    QLabel* lblClientName;
    MsgPanel* msgPanel;
    MenuButtons* menu;
};

} // namespace dvq3
