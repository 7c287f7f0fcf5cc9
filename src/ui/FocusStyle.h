#pragma once

class QApplication;

namespace dvq3 {

// Every focusable control of the station shows the focus plainly, as the menu buttons do: a
// focused push button is cyan with a black frame, a focused entry field, list or grid has a thick
// blue frame. Keyboard users must see at a glance where Enter will go.
void ApplyFocusStyle(QApplication& app);

} // namespace dvq3
