#pragma once

#include "ui/StationDialog.h"
#include <QMap>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;

namespace dvq3 {

class Clock;
class MenuButtons;
class MsgPanel;
class Session;

// The client's identity and demographics, each field confirmed with Enter. An existing client's
// demographics may change at most three times; a deleted name locks the record.
class frmClientInfo : public StationDialog {
    Q_OBJECT
public:
    explicit frmClientInfo(Session& session, QWidget* parent = nullptr);
    frmClientInfo(Session& session, const Clock& clock, QWidget* parent = nullptr);

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum Field { Name, Age, Gender, DOB, Education, Race, Marital, DL, FieldCount };

    void Form_Load();
    void Form_Activate() override;
    void RecordToScreen();
    void RecordToDB();
    void CountEdit(Field field);
    void DisableEditing();
    bool EnterField(Field field); // the field's Enter check: true moves the focus on
    void cmdMenuChoice_Click(int index);
    void confirmInformation();
    void Check();
    void ComboTextChanged(Field field, const QString& text);

    QWidget* control(Field field) const { return controls_[field]; }
    QWidget* NextControl(Field field) const;
    QString CurrentValue(Field field) const;
    QString StoredValue(Field field) const;
    bool ChoiceShown(Field field) const;
    void UpdateOkHelp();
    void Refuse(Field field, const QString& message);

    Session& session_;
    const Clock& clock_;

    QFrame* frClient;
    QLineEdit* txtName;
    QLineEdit* txtAge;
    QComboBox* cmbGender;
    QLineEdit* txtDOB;
    QComboBox* cmbEducation;
    QComboBox* cmbRace;
    QComboBox* cmbMarital;
    QLineEdit* mebDL;
    QLabel* lblInfo[FieldCount];
    QWidget* controls_[FieldCount];
    MsgPanel* msgPanel;
    MenuButtons* menu;

    int EditCount = 0;
    QMap<Field, QString> remembered_;
    QString loadedEditCount_;
    bool CountEdits = true;
    bool closing_ = false;
};

} // namespace dvq3
