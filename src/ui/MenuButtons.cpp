#include "ui/MenuButtons.h"

#include "ui/TextRoom.h"

#include <QEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace dvq3 {

const QColor MenuButtons::kFocusColour(0, 255, 255);
const QColor MenuButtons::kIdleColour(0, 0, 255);

MsgPanel::MsgPanel(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("MsgPanel"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setMinimumHeight(24);
    setTextFormat(Qt::PlainText);
    // One line; the window it sits in is made wide enough for its help lines.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

MenuButtons::MenuButtons(MsgPanel* msgPanel, QObject* parent)
    : QObject(parent), msgPanel_(msgPanel) {}

QFrame* MenuButtons::add(QWidget* parent, const QString& caption, const QString& helpLine) {
    const int index = count();
    auto* panel = new QFrame(parent);
    panel->setObjectName(QStringLiteral("sspMenuChoice%1").arg(index));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    auto* button = new QPushButton(caption, panel);
    button->setObjectName(QStringLiteral("cmdMenuChoice%1").arg(index));
    button->setAutoDefault(false);
    button->setMinimumHeight(36);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPointSize(11);
    button->setFont(font);
    KeepRoomForFocus(button);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(button);
    button->installEventFilter(this);
    connect(button, &QPushButton::clicked, this, [this, index] { emit clicked(index); });
    buttons_.push_back(button);
    panels_.push_back(panel);
    helpLines_.append(helpLine);
    paint(index, false);
    return panel;
}

void MenuButtons::paint(int index, bool focused) {
    if (index < 0 || index >= count())
        return;
    QPalette palette = panels_[index]->palette();
    palette.setColor(QPalette::Window, focused ? kFocusColour : kIdleColour);
    panels_[index]->setPalette(palette);
    QFont font = buttons_[index]->font();
    font.setBold(focused);
    buttons_[index]->setFont(font);
}

int MenuButtons::indexOf(QObject* watched) const {
    for (int i = 0; i < count(); ++i)
        if (buttons_[i] == watched)
            return i;
    return -1;
}

void MenuButtons::moveFocus(int from, int step) {
    for (int n = 1; n < count(); ++n) {
        QPushButton* next = buttons_[(from + step * n + count() * n) % count()];
        if (next->isEnabled() && next->isVisibleTo(next->window())) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

bool MenuButtons::eventFilter(QObject* watched, QEvent* event) {
    const int index = indexOf(watched);
    if (index < 0)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        paint(index, true);
        if (msgPanel_)
            msgPanel_->setCaption(helpLines_.value(index));
        return false;
    case QEvent::FocusOut:
        paint(index, false);
        return false;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Space:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!key->isAutoRepeat())
                emit clicked(index);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Left:
            moveFocus(index, -1);
            return true;
        case Qt::Key_Down:
        case Qt::Key_Right:
            moveFocus(index, 1);
            return true;
        default:
            return true;
        }
    }
    case QEvent::KeyRelease:
        return static_cast<QKeyEvent*>(event)->key() != Qt::Key_Space;
    default:
        return false;
    }
}

} // namespace dvq3
