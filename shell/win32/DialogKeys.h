#pragma once

#include <windows.h>

namespace slanter {

// The keys a dialog gives its controls, for a window of ours that is not a dialog: Tab and
// Shift+Tab move the focus among the tab stops (into an option group at its chosen button),
// the arrows move it among an option group's buttons and choose the one reached, and
// Alt+letter presses the control whose caption has that access key. True when the key was
// taken; keys a control asks for (WM_GETDLGCODE) stay with it.
bool TakeDialogKey(HWND window, const MSG& message);

// Enter on a focused push button of `window` presses it; true when it did.
bool PressFocusedButton(HWND window, const MSG& message);

} // namespace slanter
