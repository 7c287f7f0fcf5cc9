#pragma once

#include <QFrame>
#include <QLabel>
#include <QObject>
#include <QPushButton>
#include <QStringList>

#include <vector>

namespace dvq3 {

// The help line at the bottom of a window: always describes the control with the focus.
class MsgPanel : public QLabel {
    Q_OBJECT
public:
    explicit MsgPanel(QWidget* parent = nullptr);
    QString caption() const { return text(); }
    void setCaption(const QString& text) { setText(text); }
};

// The menu of a window: a column of large buttons (cmdMenuChoice), each framed by a panel
// (sspMenuChoice) whose colour shows the focus, cyan for the focused one and blue for the
// others. Enter runs a button once; every other key but Space (and the focus keys) is
// swallowed; the arrow keys move between the buttons.
class MenuButtons : public QObject {
    Q_OBJECT
public:
    static const QColor kFocusColour; // cyan
    static const QColor kIdleColour;  // blue

    explicit MenuButtons(MsgPanel* msgPanel, QObject* parent = nullptr);

    // Adds button index count() inside parent; the caller places the panel in its layout.
    QFrame* add(QWidget* parent, const QString& caption, const QString& helpLine);
    int count() const { return static_cast<int>(buttons_.size()); }

    QPushButton* cmdMenuChoice(int index) const { return buttons_.at(index); }
    QFrame* sspMenuChoice(int index) const { return panels_.at(index); }
    void setHelpLine(int index, const QString& helpLine) { helpLines_[index] = helpLine; }
    QString helpLine(int index) const { return helpLines_.value(index); }

    // Paints button index as focused or not.
    void paint(int index, bool focused);

signals:
    // The button's action: Enter on it, Space, or a click.
    void clicked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int indexOf(QObject* watched) const;
    void moveFocus(int from, int step);

    MsgPanel* msgPanel_;
    std::vector<QPushButton*> buttons_;
    std::vector<QFrame*> panels_;
    QStringList helpLines_;
};

} // namespace dvq3
