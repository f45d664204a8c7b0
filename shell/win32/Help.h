#pragma once

#include <functional>
#include <string>

#include <windows.h>

namespace slanter {

// The help command: the help document of the run's language, opened in the user's
// browser; a missing document is reported and nothing is started.
void ShowHelp(HWND owner);

// Puts `viewer` in place of the browser (tests) and answers the one it replaces.
using HelpViewer = std::function<void(const std::string& fileName)>;
HelpViewer SetHelpViewer(HelpViewer viewer);

// The version and the copyright boxes.
void ShowVersionInfo();
void ShowCopyrightInfo();

} // namespace slanter
