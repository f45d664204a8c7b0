#pragma once

#include <string>

#include "method/qt/MethodForm.h"
#include "preview/qt/PreviewForm.h"
#include "shell/main/ProgramWindowsOf.h"
#include "shell/main/qt/MainForm.h"

namespace slanter {

// The program's windows on Qt, which keeps every window's frame on the screen.
class ProgramWindows : public ProgramWindowsOf<TMainForm, TMethodForm, TPreviewForm> {
  public:
    ProgramWindows() : ProgramWindowsOf({MainForm, MethodForm, PreviewForm}) {}
    // `showCommand` is the launch's (see LaunchState.h).
    bool Create(const std::string& commandLine, int showCommand);
};

} // namespace slanter
