#include "shell/FileCopy.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace slanter {

#ifdef _WIN32
// The standard library's copy_file with overwrite_existing refuses an existing target on
// Windows ("File exists"); the platform's own copy replaces it.
bool CopyFileReplacing(const std::string& from, const std::string& to) {
    std::error_code error;
    if (from.empty() || to.empty() || !std::filesystem::is_regular_file(from, error))
        return false;
    if (!::CopyFileA(from.c_str(), to.c_str(), FALSE))
        return false;
    // The copy takes the source's read-only attribute along.
    const DWORD attributes = ::GetFileAttributesA(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        ::SetFileAttributesA(to.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return true;
}
#else
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
#endif

} // namespace slanter
