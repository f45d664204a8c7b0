#include "conversion/ResultFileName.h"

#include <cstdio>

#include "shell/FileFound.h"

namespace slanter {

std::string SuggestedResultName(const std::string& pictureFile, double angleDegrees,
                                const std::string& extension) {
    return SuggestedResultStem(pictureFile, angleDegrees) + "." + extension;
}

std::string SuggestedResultStem(const std::string& pictureFile, double angleDegrees) {
    const auto slash = pictureFile.find_last_of("/\\");
    std::string stem = slash == std::string::npos ? pictureFile : pictureFile.substr(slash + 1);
    // A leading dot names a hidden file, not an extension.
    if (const auto dot = stem.rfind('.'); dot != std::string::npos && dot > 0)
        stem.erase(dot);
    if (stem.empty())
        stem = "tile";
    char angle[32];
    std::snprintf(angle, sizeof angle, "-%.2fdeg", angleDegrees);
    return stem + angle;
}

std::string UnusedFileName(const std::string& folder, const std::string& name) {
    const auto dot = name.rfind('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    std::string candidate = folder + name;
    for (int number = 2; FileFound(candidate); ++number)
        candidate = folder + stem + "-" + std::to_string(number) + extension;
    return candidate;
}

} // namespace slanter
