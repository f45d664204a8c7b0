#pragma once

#include <functional>
#include <string>
#include <string_view>

#include <windows.h>

#include "shell/PlatformServices.h"

namespace slanter {

// Runs `work` on a thread of its own and answers its answer once it has finished, while
// the program's messages go on: every window stays usable. The window `owner` shows a
// busy cursor and, past a second, a progress bar and a Cancel button (`cancelText`) at its
// foot. `work` must not touch a window. Should the program end meanwhile (WM_QUIT, which
// is left for the main loop), the work is cancelled and awaited.
std::string RunInBackgroundOf(HWND owner, std::string_view cancelText,
                              const std::function<std::string(BackgroundControl&)>& work);

} // namespace slanter
