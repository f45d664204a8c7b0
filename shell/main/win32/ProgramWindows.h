#pragma once

#include <string>

#include "method/win32/MethodForm.h"
#include "preview/win32/PreviewForm.h"
#include "shell/main/ProgramWindowsOf.h"
#include "shell/main/win32/MainForm.h"

namespace slanter {

// The program's windows on Windows, the main window brought to the foreground.
class ProgramWindows : public ProgramWindowsOf<TMainForm, TMethodForm, TPreviewForm> {
  public:
    ProgramWindows() : ProgramWindowsOf({MainForm, MethodForm, PreviewForm}) {}
    // `showCommand` is the launch's (see LaunchState.h).
    bool Create(const std::string& commandLine, int showCommand);
};

} // namespace slanter
