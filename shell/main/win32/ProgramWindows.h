#pragma once

#include "method/win32/MethodForm.h"
#include "preview/win32/PreviewForm.h"
#include "shell/main/ProgramWindowsOf.h"
#include "shell/main/win32/MainForm.h"

namespace slanter {

using ProgramWindows = ProgramWindowsOf<MainForm, MethodForm, PreviewForm>;

} // namespace slanter
