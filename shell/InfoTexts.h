#pragma once

#include <string>

namespace slanter {

// "Ver.3.00  Rev.2": the minor version always shows two digits.
std::string VersionNumberText(int major, int minor, int revision);

// The version box, four lines: heading, an empty line, the description, and the title
// with the version. The program file's name follows the title in parentheses only when
// it differs from the title other than in case.
std::string VersionInfoText(bool japanese, const std::string& description, const std::string& title,
                            const std::string& programName, int major, int minor, int revision);

// The copyright box; the pointer to the companion text file only when that file exists.
std::string CopyrightText(bool japanese, const std::string& textFileName, bool textFileExists);

// Shown when the help file is missing.
std::string HelpNotFoundText(bool japanese, const std::string& helpFileName);

} // namespace slanter
