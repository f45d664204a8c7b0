#pragma once

#include <functional>
#include <string>

#include "bitmap/TextLanguage.h"

namespace slanter {

// Program-wide values, set once at start before any window exists and read everywhere.
// Texts are in the platform's own encoding (UTF-8 here).
extern std::string WorkFolder;  // the program file's folder, with its trailing separator
extern std::string ProgramName; // the program file's name without its extension
extern std::string Title;
extern std::string Description;
extern int MajorVersion;
extern int MinorVersion;
extern int Revision;
extern std::string HelpFileName;
extern std::string TextFileName;
// False only after the user chose to erase the settings: later writes are dropped so
// that closing the windows does not create the erased key again.
extern bool SettingsWritable;

// What the platform tells about the start of this run.
struct ProgramStart {
    std::string programFile; // the program file's full name
    std::string commandLine; // see CommandLineText
    std::function<bool()> systemIsJapanese;
};

// First step of the start: makes the settings writable, finds the program's folder and
// name, and chooses the language and the help and text files.
void InitGeneral(const ProgramStart& start);

// Second step, once the language is known: title, description and version.
void SetProgramInfo();

} // namespace slanter
