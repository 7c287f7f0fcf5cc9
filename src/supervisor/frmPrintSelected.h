#pragma once

#include "ui/MenuButtons.h"

#include <QDialog>
#include <QGroupBox>
#include <QListWidget>

namespace dvq3 {

class Session;

// Staff tick several clients and print all their reports at once: every report is scored
// before the first is printed, then they print in list order, one printer job each.
class frmPrintSelected : public QDialog {
    Q_OBJECT
public:
    explicit frmPrintSelected(Session& session, QWidget* parent = nullptr);

    void cmdMenuChoice_Click(int index);

    QGroupBox* fraClient;
    QListWidget* lbNameDisplay;
    MsgPanel* msgPanel;
    MenuButtons* menu;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void EnableEditChoice();
    void PrintSelected();
    Session& session_;
};

} // namespace dvq3
