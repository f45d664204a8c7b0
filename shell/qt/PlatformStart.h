#pragma once

#include <string>
#include <vector>

#include "shell/General.h"

namespace slanter {

// Whether the system's own language is Japanese.
bool SystemLanguageIsJapanese();

// Keeps the words of the command line as the system gave them to main(), after the
// application object took its own: file names are bytes here, which Qt's texts would
// change where they are no UTF-8.
void KeepArgumentBytes(int argc, char** argv);

// What the platform tells about this run: the program file, the command line (its
// switch words, see Arguments.h), the system's language. Needs the application object.
ProgramStart PlatformProgramStart();

// The pictures named on the command line, each as a full name.
std::vector<std::string> PictureArguments();

// The launch show command (kShowNormal where the platform has none to give).
int LaunchShowCommand();

// The start of the framework, run by main() once the application object exists and
// before any window: InitGeneral, Qt's own texts in the run's language, SetProgramInfo
// and the application record.
void StartGeneral();

} // namespace slanter
