#include "shell/FileFound.h"

#include <filesystem>
#include <system_error>

namespace slanter {

bool FileFound(const std::string& fileName) {
    if (fileName.empty())
        return false;
    namespace fs = std::filesystem;
    const fs::path path(fileName);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(path, error)))
        return false;
    return !fs::is_directory(fs::status(path, error));
}

} // namespace slanter
