#pragma once

#include <string>

namespace slanter {

// The program's name in every caption, message box, settings key and version text.
inline constexpr const char* kTitle = "Bit Map Slanter";
inline constexpr int kMajorVersion = 3;
inline constexpr int kMinorVersion = 0;
inline constexpr int kRevision = 2;

// The program's own description, in the language of the run.
std::string DescriptionText(bool japanese);

// The folder part of the program file's full name, with its trailing separator. Where
// the platform has no short names the folder is taken as it is.
std::string FolderPart(const std::string& fullName);

// The name part of a full file name: everything after the last separator.
std::string NamePart(const std::string& fullName);

// The program file's name without its extension; a name without one is kept whole, so
// "Slanter.exe" and "Slanter" both give "Slanter".
std::string ProgramNameFromFileName(const std::string& fileName);

} // namespace slanter
