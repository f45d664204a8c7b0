#pragma once

#include <windows.h>

#include "shell/WindowServices.h"

namespace slanter {

// The platform's services over the Windows API, for a window's handle: its dialogs and
// boxes, its background work.
using Win32Services = WindowServices<HWND>;
extern template class WindowServices<HWND>;

} // namespace slanter
