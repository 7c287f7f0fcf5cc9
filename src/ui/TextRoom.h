#pragma once

class QLabel;
class QPushButton;

namespace dvq3 {

// A control whose text turns bold with the focus keeps, without it, the room its focused look
// needs, so its text is never cut and nothing beside it moves when the focus comes or goes.
// Each keeps the room of the widest text it was given.

// A field's label, shown bold while its field has the focus.
void KeepRoomForBold(QLabel* label);
// A push button in the focus style: bold, with a wider frame and padding.
void KeepRoomForFocus(QPushButton* button);

} // namespace dvq3
