#pragma once

#include <QObject>

#include <functional>

class QGroupBox;
class QListWidget;

namespace dvq3 {

class DataDisk;

// The client lists of the station's windows: one line per loaded client, its number, a hyphen
// and the 25-character name as stored ("3-" followed by the name).
void FillClientList(QListWidget* list, const DataDisk& disk);
// The frame around a client list is cyan with a bold black caption while the list has the
// focus, blue with white text otherwise.
void PaintClientListFrame(QGroupBox* frame, QListWidget* list, bool focused);

class MsgPanel;

// How a client list behaves with the focus: with no clients loaded the focus goes on at once to
// the widget whenEmpty names; otherwise the frame lights up and the help line says how to
// choose. onChange runs when the list gets the focus and after every key pressed in it.
class ClientListFocus : public QObject {
public:
    ClientListFocus(const DataDisk& disk, QGroupBox* frame, QListWidget* list, MsgPanel* msgPanel,
                    std::function<QWidget*()> whenEmpty, std::function<void()> onChange);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const DataDisk& disk_;
    QGroupBox* frame_;
    QListWidget* list_;
    MsgPanel* msgPanel_;
    std::function<QWidget*()> whenEmpty_;
    std::function<void()> onChange_;
};

} // namespace dvq3
