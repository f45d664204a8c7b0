#include "shell/FileCopy.h"

#include <filesystem>
#include <system_error>

namespace slanter {

bool CopyFileReplacing(const std::string& from, const std::string& to) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (from.empty() || to.empty() || !fs::is_regular_file(from, error))
        return false;
    if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, error))
        return false;
    fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                    error);
    return true;
}

} // namespace slanter
