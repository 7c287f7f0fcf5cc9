#pragma once

#include "ui/StationDialog.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QRadioButton;
class QTabWidget;

namespace dvq3 {

class MenuButtons;
class MsgPanel;
class Session;

// The supervisor's operations on the whole data disk: print reports (behind the secret code),
// verify the current client's answers, delete every client's name. One operation, then close.
class frmSupervisorOptions : public StationDialog {
    Q_OBJECT
public:
    explicit frmSupervisorOptions(Session& session, QWidget* parent = nullptr);
    ~frmSupervisorOptions() override;

    bool PrintSummary() const { return printSummary_; }
    void setPrintSummary(bool on);

private:
    void Form_Activate() override;
    void TabChanged(int tab);
    void FocusChanged(QWidget* old, QWidget* now);
    void cmdMenuChoice_Click(int index);
    void ExecuteSelection();
    void DeleteClientNames();
    bool Refused(const QString& title);
    QString CurrentName() const;

    Session& session_;
    QFrame* frControls;
    QFrame* sspTabPanel; // the panel framing the tab dialog, lit while it has the focus
    QTabWidget* sstSupervisorOperations;
    QRadioButton* optPrintOption[3];
    QCheckBox* chkPrintSummaryPage;
    QGroupBox* frCurrentClient;
    QLabel* lblNameDisplay;
    MsgPanel* msgPanel;
    MenuButtons* menu;

    int lastTab_ = 0;
    int lastOption_ = 0;
    bool emptyDisk_ = false;
    bool printSummary_ = false;
};

} // namespace dvq3
