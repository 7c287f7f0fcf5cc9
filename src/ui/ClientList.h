#pragma once

class QGroupBox;
class QListWidget;

namespace dvq3 {

// The client lists of the station's windows: one line per loaded client, its number, a hyphen
// and the 25-character name as stored ("3-" followed by the name).
void FillClientList(QListWidget* list);
// The frame around a client list is cyan with a bold black caption while the list has the
// focus, blue with white text otherwise.
void PaintClientListFrame(QGroupBox* frame, QListWidget* list, bool focused);

} // namespace dvq3
