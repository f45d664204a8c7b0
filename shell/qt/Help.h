#pragma once

#include <functional>

#include <QString>

namespace slanter {

// The help command: opens the help file of the run's language with the desktop's viewer
// for it, or says that the file is missing.
void ShowHelp();

// What actually opens a help file; answers whether the viewer started.
using HelpViewer = std::function<bool(const QString& fileName)>;

// Puts `viewer` in place of the desktop's viewer (tests) and answers the one it replaces;
// an empty viewer brings the desktop's back.
HelpViewer SetHelpViewer(HelpViewer viewer);

} // namespace slanter
