#pragma once

#include <windows.h>

namespace slanter {

// The help command: the help document of the run's language, opened in the user's
// browser; a missing document is reported and nothing is started.
void ShowHelp(HWND owner);

} // namespace slanter
