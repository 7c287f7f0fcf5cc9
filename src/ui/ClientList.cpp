#include "ui/ClientList.h"

#include "records/ClientData.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QListWidget>

namespace dvq3 {

void FillClientList(QListWidget* list) {
    list->clear();
    for (int i = 1; i <= NumClients; ++i)
        list->addItem(QString::number(i) + u'-' + Clients[i].Name);
}

void PaintClientListFrame(QGroupBox* frame, QListWidget* list, bool focused) {
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, focused ? QColor(0, 255, 255) : QColor(0, 0, 255));
    palette.setColor(QPalette::WindowText, focused ? Qt::black : Qt::white);
    frame->setPalette(palette);
    QFont font = frame->font();
    font.setBold(focused);
    frame->setFont(font);
    // The names line up in a fixed-pitch font, whatever the frame's caption does.
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

} // namespace dvq3
