#pragma once

#include "records/Verification.h"

#include "ui/StationDialog.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dvq3 {

class MsgPanel;
class Session;

// The current client's answers keyed a second time, one key an item, then the differing items
// once more; the final answers replace the stored ones. Cancel stores nothing.
class frmVerify : public StationDialog {
    Q_OBJECT
public:
    explicit frmVerify(Session& session, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Activate() override;
    void ShowQuestion();
    void KeyPressed(const QKeyEvent* key);
    void Store(const QString& answers, const QString& text, const QString& title);

    Session& session_;
    Verification pass_;
    QGroupBox* frAll;
    QGroupBox* Frame1;
    QGroupBox* Frame2;
    QLineEdit* txtCurQuestion;
    QLineEdit* txtPrevQuestion;
    QLabel* lblCurQuestion;
    QLabel* lblPrevQuestion;
    QPushButton* cmdCancel;
    MsgPanel* pnlMessage;
};

} // namespace dvq3
