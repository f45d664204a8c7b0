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

// The folder part of a full file name, with its trailing separator. On Windows a
// backslash or a slash separates, at character boundaries of TextCodePage() only.
std::string FolderPart(const std::string& fullName);

// The name part of a full file name: everything after the last separator.
std::string NamePart(const std::string& fullName);

// The program file's name without its extension; a name without one is kept whole, so
// "Slanter.exe" and "Slanter" both give "Slanter".
std::string ProgramNameFromFileName(const std::string& fileName);

// WorkFolder for the program file's full name as the platform gives it. On Windows a folder
// reached through short 8.3 names is turned into its long form (LongFolderName, with the
// names Windows stores); where the platform has no short names it is the folder part.
std::string ProgramFolderOf(const std::string& programFile);

// ProgramName for the program file's full name: its name without the extension. On
// Windows the name is the one the file's entry stores, so a short name gives the long one.
std::string ProgramNameOf(const std::string& programFile);

} // namespace slanter
