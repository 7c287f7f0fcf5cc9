#pragma once

#include "ui/StationDialog.h"

class QGroupBox;

namespace dvq3 {

class MenuButtons;
class MsgPanel;
class Session;

// Offers one button per question table that may be presented; choosing one sets Language and
// ContinueFlag.
class frmSelectLanguage : public StationDialog {
    Q_OBJECT
public:
    explicit frmSelectLanguage(Session& session, QWidget* parent = nullptr);

    // Fills the language buttons from the database's tables, in its order; returns how many.
    int LanguageCount();
    // The caption of language button index (what is presented when the chooser is skipped).
    QString ButtonCaption(int index) const;
    // The language chosen.
    QString Language() const { return language_; }

    void reject() override;

private:
    void Form_Activate() override;
    void cmdMenuChoice_Click(int index);

    Session& session_;
    QGroupBox* fraSelectMethod;
    MsgPanel* msgPanel;
    MenuButtons* menu;
    QString language_;
};

} // namespace dvq3
