#pragma once

#include <QDialog>

class QGroupBox;

namespace dvq3 {

class MenuButtons;
class MsgPanel;
class Session;

// Offers one button per question table that may be presented; choosing one sets Language and
// ContinueFlag.
class frmSelectLanguage : public QDialog {
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

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void cmdMenuChoice_Click(int index);

    Session& session_;
    QGroupBox* fraSelectMethod;
    MsgPanel* msgPanel;
    MenuButtons* menu;
    QString language_;
    bool activated_ = false;
};

} // namespace dvq3
