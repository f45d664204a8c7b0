#pragma once

#include <string>

#include <windows.h>

namespace slanter {

// A form's placement in the settings store, under the section named like the form: the
// normal (restored) rectangle of GetWindowPlacement, its size only for a sizeable frame,
// and the state.
void SaveFormPlacement(HWND form, const std::string& section);
// Reads the placement back and applies it, brought within the work area of the monitor
// that holds its corner (a window saved on a monitor since removed would be out of
// reach). `least` is the least outer size the window takes.
void RestoreFormPlacement(HWND form, const std::string& section, SIZE least = {1, 1});

} // namespace slanter
