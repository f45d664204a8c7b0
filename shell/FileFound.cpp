#include "shell/FileFound.h"

#ifdef _WIN32
#include "shell/DirectoryEntry.h"
#else
#include <filesystem>
#include <system_error>
#endif

namespace slanter {

#ifdef _WIN32
bool FileFound(const std::string& fileName) {
    const std::optional<DirectoryEntry> entry = FindEntry(fileName);
    return entry && !entry->folder && !entry->volumeLabel;
}
#else
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
#endif

} // namespace slanter
