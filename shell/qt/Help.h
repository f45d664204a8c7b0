#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace slanter {

// The help command: shows the help document of the run's language, which is there, in a
// help window of `owner`'s (with no owner, in the desktop's browser).
void ShowHelp(QWidget* owner = nullptr);

// What actually opens a help file; answers whether the viewer started.
using HelpViewer = std::function<bool(const QString& fileName)>;

// Puts `viewer` in place of the desktop's viewer (tests) and answers the one it replaces;
// an empty viewer brings the desktop's back.
HelpViewer SetHelpViewer(HelpViewer viewer);

} // namespace slanter
