#pragma once

#include <QDialog>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>

namespace dvq3 {

class Session;

// Scores the current client when it opens and shows the whole report, with a print button.
class frmViewReport : public QDialog {
    Q_OBJECT
public:
    explicit frmViewReport(Session& session, QWidget* parent = nullptr);

    void MOUSEDEFAULT();
    void MOUSEWAIT();

    // False when the report could not be made (the reason has been shown); the window then
    // shows nothing and closes.
    bool Scored() const { return scored_; }

    QFrame* fraAll;
    QPlainTextEdit* Text1;
    QPushButton* cmdPrintReport;
    QPushButton* cmdSavePdf;
    QPushButton* cmdCancel;

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString PdfName() const;
    void Form_Activate();

    bool activated_ = false;
    bool scored_ = false;
    Session& session_;
};

} // namespace dvq3
