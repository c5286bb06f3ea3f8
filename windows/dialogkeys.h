#pragma once

#include <windows.h>

// Corvane's windows take the keyboard as dialogs do: Tab and Shift+Tab move
// through the controls in creation order, Alt and a caption's underlined
// letter press that control, Space and Enter press the focused button.
// There is no default button: Enter elsewhere, and Escape, do nothing.

// Gives the message to the window it is for as a dialog would; true when it
// was handled there and must not be dispatched again.
bool handleDialogKeys(MSG &message);

// A window's answer to DM_GETDEFID, by which Enter presses the focused push
// button, and nothing where the focus is on anything else.
LRESULT focusedButtonAsDefault(HWND window);
