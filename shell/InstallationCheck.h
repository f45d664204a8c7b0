#pragma once

#include <optional>
#include <string>
#include <vector>

namespace slanter {

// The installed files are checked at start for the picture codecs the program cannot
// do without: it reads BMP and ICO files and writes BMP files. Those codecs are the
// parts of an installation that can go missing on their own (plug-ins), and without
// them a command would fail only when the user reaches it.

// The message for the first codec missing from the lists (format names in lower case,
// as the platform lists them), or nothing when every one is there.
std::optional<std::string> InstallationProblem(bool japanese, const std::string& title,
                                               const std::vector<std::string>& readable,
                                               const std::vector<std::string>& writable);

} // namespace slanter
