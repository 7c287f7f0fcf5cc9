#pragma once

class QWidget;

namespace dvq3 {

class MenuButtons;

// Centres a window on the screen (windows call it on load unless maximised).
void CenterForm(QWidget* form);
// Centres a window's main frame: Left = width / 2 - frame width / 2,
// Top = height / 2 - (frame height + 1000 twips) / 2, kept inside the window.
void CenterFrame(QWidget* form, QWidget* frame);
// The hourglass or the default pointer; both let pending window events run.
void SetWaitPointer();
void SetDefaultPointer();
// Selects the whole text of the focused control, so typing replaces it; other controls stay.
void SelectAllText();
// Paints buttons 0..count (inclusive) idle.
void ResetMenuChoices(MenuButtons& menu, int count);
// Resets, then paints button index as focused, so exactly one button looks focused.
void HighlightMenuChoice(MenuButtons& menu, int count, int index);

} // namespace dvq3
