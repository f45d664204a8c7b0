#pragma once

#include <string>
#include <vector>

#include "shell/General.h"

namespace slanter {

// Whether the system's language is Japanese: the name of the system's default language in
// the system's own language begins with "日本", as a Japanese system names Japanese.
bool SystemLanguageIsJapanese();

// The program file, the switches of the command line and the language question.
ProgramStart PlatformProgramStart();
// The picture files named on the command line, as full names.
std::vector<std::string> PictureArguments();
// The show command the program was started with (SW_ values).
int LaunchShowCommand();
// The start of the program-wide values and the record of the installed program.
void StartGeneral();

} // namespace slanter
