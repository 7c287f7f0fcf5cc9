#pragma once

#include "sheets/ImagingControl.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace dvq3 {

// The scan's diagnostic view: the scanned page with the box being tested marked at XVal, YVal
// (image coordinates), shown before each tested box while a debug switch is on. "Next Box" goes
// on with the scan, "Stop" ends the program.
class frmDebugView : public QDialog {
    Q_OBJECT
public:
    // endProgram runs once the window has closed with "Stop".
    explicit frmDebugView(std::function<void()> endProgram, QWidget* parent = nullptr);

    qint16 XVal() const { return xVal_; }
    void setXVal(qint16 value);
    qint16 YVal() const { return yVal_; }
    void setYVal(qint16 value);
    // Names the field of the box and its dark pixel count.
    void setTestedBox(const QString& field, int count);
    bool Stopped() const { return stopped_; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Refresh();
    void TextChanged(QLineEdit* box, qint16& value);
    void Command1_Click();

    std::function<void()> endProgram_;
    QLabel* leadDebug;
    QScrollArea* scrollImage;
    QLineEdit* txtX;
    QLineEdit* txtY;
    QLabel* lblTested;
    QPushButton* cmdDone;
    QPushButton* Command1;

    ImagingControl lead_;
    qint16 xVal_ = 0;
    qint16 yVal_ = 0;
    bool filling_ = false; // the boxes are being filled: no refresh per keystroke
    bool waitPointer_ = false;
    bool stopped_ = false;
};

} // namespace dvq3
