#include "ui/ClientList.h"

#include "station/DataDisk.h"
#include "ui/MenuButtons.h"

#include <QEvent>
#include <QKeyEvent>

#include <QFontDatabase>
#include <QGroupBox>
#include <QListWidget>

namespace dvq3 {

void FillClientList(QListWidget* list, const DataDisk& disk) {
    list->clear();
    for (int i = 1; i <= disk.NumClients(); ++i)
        list->addItem(QString::number(i) + u'-' + disk.Clients(i).Name);
}

void PaintClientListFrame(QGroupBox* frame, QListWidget* list, bool focused) {
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, focused ? QColor(0, 255, 255) : QColor(0, 0, 255));
    palette.setColor(QPalette::WindowText, focused ? Qt::black : Qt::white);
    frame->setPalette(palette);
    QFont font = frame->font();
    font.setBold(focused);
    frame->setFont(font);
    // The names line up in a fixed-pitch font and stay plain: only the caption turns bold.
    QFont names = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    names.setBold(false);
    list->setFont(names);
}

ClientListFocus::ClientListFocus(const DataDisk& disk, QGroupBox* frame, QListWidget* list,
                                 MsgPanel* msgPanel, std::function<QWidget*()> whenEmpty,
                                 std::function<void()> onChange)
    : QObject(list), disk_(disk), frame_(frame), list_(list), msgPanel_(msgPanel),
      whenEmpty_(std::move(whenEmpty)), onChange_(std::move(onChange)) {
    list->installEventFilter(this);
    PaintClientListFrame(frame_, list_, false);
}

bool ClientListFocus::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        if (disk_.NumClients() < 1) {
            whenEmpty_()->setFocus(Qt::TabFocusReason);
            return true;
        }
        PaintClientListFrame(frame_, list_, true);
        msgPanel_->setCaption(
            QStringLiteral("Use up or down arrow keys or mouse to select client."));
        onChange_();
        break;
    case QEvent::FocusOut:
        PaintClientListFrame(frame_, list_, false);
        msgPanel_->setCaption(QString());
        break;
    case QEvent::KeyPress:
        // With nothing chosen yet, the first arrow key chooses the first client.
        if (const int key = static_cast<QKeyEvent*>(event)->key();
            (key == Qt::Key_Down || key == Qt::Key_Up) && list_->selectedItems().isEmpty() &&
            list_->count() > 0) {
            list_->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
            return true;
        }
        break;
    case QEvent::KeyRelease:
        onChange_();
        break;
    default:
        break;
    }
    return false;
}

} // namespace dvq3
