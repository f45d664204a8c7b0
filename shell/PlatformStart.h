#pragma once

#include "shell/General.h"

namespace slanter {

// Whether the system's own language is Japanese.
bool SystemLanguageIsJapanese();

// What the platform tells about this run: the program file, the command line, the
// system's language. Needs the application object.
ProgramStart PlatformProgramStart();

// The start of the framework, run by main() once the application object exists and
// before any window: InitGeneral, SetProgramInfo and the application record.
void StartGeneral();

} // namespace slanter
