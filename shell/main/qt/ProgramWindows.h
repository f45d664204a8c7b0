#pragma once

#include "method/qt/MethodForm.h"
#include "preview/qt/PreviewForm.h"
#include "shell/main/ProgramWindowsOf.h"
#include "shell/main/qt/MainForm.h"

namespace slanter {

using ProgramWindows = ProgramWindowsOf<MainForm, MethodForm, PreviewForm>;

} // namespace slanter
