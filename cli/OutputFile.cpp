#include "cli/OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "bitmap/HandyBitmap.h"

namespace slanter::cli {

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string WriteResultFile(THandyBitmap& bitmap, const std::string& path) {
    if (path.empty())
        return "no file name";
    std::string pattern = FolderOf(path) + "/." + NameOf(path) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0)
        return std::strerror(errno);
    // mkstemp makes the file private; the output gets the mode any new file would get.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
    close(descriptor);
    const std::string temporary(name.data());

    if (!bitmap.SaveToFile(temporary)) {
        std::remove(temporary.c_str());
        return bitmap.ErrorText().empty() ? "the file could not be written" : bitmap.ErrorText();
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        return reason;
    }
    return {};
}

} // namespace slanter::cli
