#include "cli/OutputFile.h"

#include <cstdio>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "bitmap/HandyBitmap.h"
#include "bitmap/PngFile.h"

namespace slanter::cli {

namespace {

#ifdef _WIN32
std::string LastErrorText() {
    const DWORD code = ::GetLastError();
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason(text != nullptr ? text : "", length);
    ::LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
        reason.pop_back();
    return reason.empty() ? "error " + std::to_string(code) : reason;
}

// A new empty file in path's folder. The platform splits the path, so a double-byte
// character whose second byte is a backslash is never cut.
std::string MakeTemporaryBeside(const std::string& path, std::string& reason) {
    std::vector<char> full(MAX_PATH + 1);
    char* namePart = nullptr;
    const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full.data(), &namePart);
    if (length == 0 || length > MAX_PATH || namePart == nullptr) {
        reason = length == 0 ? LastErrorText() : "file name too long";
        return {};
    }
    const std::string folder(full.data(), namePart);
    std::vector<char> name(MAX_PATH + 1);
    if (::GetTempFileNameA(folder.c_str(), "sl", 0, name.data()) == 0) {
        reason = LastErrorText();
        return {};
    }
    return name.data();
}

// Renaming onto an existing file is refused on Windows unless asked for.
bool MoveIntoPlace(const std::string& temporary, const std::string& path, std::string& reason) {
    if (::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0)
        return true;
    reason = LastErrorText();
    return false;
}
#else
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

std::string MakeTemporaryBeside(const std::string& path, std::string& reason) {
    std::string pattern = FolderOf(path) + "/." + NameOf(path) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0) {
        reason = std::strerror(errno);
        return {};
    }
    // mkstemp makes the file private; the output gets the mode any new file would get.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
    close(descriptor);
    return name.data();
}

bool MoveIntoPlace(const std::string& temporary, const std::string& path, std::string& reason) {
    if (std::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    reason = std::strerror(errno);
    return false;
}
#endif

} // namespace

std::string WriteResultFile(THandyBitmap& bitmap, const std::string& path) {
    if (path.empty())
        return "no file name";
    std::string reason;
    const std::string temporary = MakeTemporaryBeside(path, reason);
    if (temporary.empty())
        return reason;

    if (NamesPngFile(path)) {
        if (const std::string problem = SaveAsPng(bitmap, temporary); !problem.empty()) {
            std::remove(temporary.c_str());
            return problem;
        }
    } else if (!bitmap.SaveToFile(temporary)) {
        std::remove(temporary.c_str());
        return bitmap.ErrorText().empty() ? "the file could not be written" : bitmap.ErrorText();
    }
    if (!MoveIntoPlace(temporary, path, reason)) {
        std::remove(temporary.c_str());
        return reason;
    }
    return {};
}

} // namespace slanter::cli
