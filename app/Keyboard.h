#pragma once

class QKeyEvent;
class QWidget;

namespace corvelle {

// The screens' keyboard habits, applied to a whole window once its controls exist:
// - Enter presses a focused button, else the window's default button if it has
//   one; the default is only ever the one the screen sets (no button becomes the
//   default by taking the focus, and a window without one never elects one);
// - in every option group all four arrow keys move to the previous or next
//   enabled option in the group's order, wrapping at its ends, and select it.
void UseWizardKeys(QWidget *window);

// For the window's keyPressEvent: presses the focused button on Enter; true when
// it did, so the window's own handling (the default button) is skipped.
bool PressFocusedButton(QWidget *window, const QKeyEvent &event);

} // namespace corvelle
