#include "bitmap/TemporaryBeside.h"

#include <cstdio>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "bitmap/OutputFile.h"

namespace slanter {

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

// Empty when path is missing or a file on disk; otherwise what it is instead.
std::string NotARegularFile(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return "it is a folder, not a regular file";
    // Opened for no access at all: a device (NUL, CON, COM1) or a pipe shows its kind.
    const HANDLE handle =
        ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return {};
    const DWORD type = ::GetFileType(handle);
    ::CloseHandle(handle);
    if (type != FILE_TYPE_DISK)
        return "it is a device or a pipe, not a regular file";
    // A read-only file is kept, as the system's own programs keep it; the rename would
    // replace it and its mark with it.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return LastErrorText();
    }
    return {};
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

bool FlushToDisk(const std::string& temporary, std::string& reason) {
    const HANDLE handle = ::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        reason = LastErrorText();
        return false;
    }
    const bool flushed = ::FlushFileBuffers(handle) != 0;
    if (!flushed)
        reason = LastErrorText();
    return ::CloseHandle(handle) != 0 && flushed;
}

// Renaming onto an existing file is refused on Windows unless asked for.
bool MoveIntoPlace(const std::string& temporary, const std::string& path, std::string& reason) {
    if (::MoveFileExA(temporary.c_str(), path.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0)
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

// Where path leads through symbolic links in its last part, so that the file they point
// to is replaced and the links stay; path itself when it is no link. A link that points
// nowhere yet leads to the file it names.
std::string FollowLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::vector<char> target(PATH_MAX + 1);
        const ssize_t length = ::readlink(path.c_str(), target.data(), PATH_MAX);
        if (length <= 0)
            return path;
        const std::string to(target.data(), static_cast<std::size_t>(length));
        path = to.front() == '/' ? to : FolderOf(path) + "/" + to;
    }
    return path; // a loop: the rename reports it
}

// Empty when path is missing or a regular file (through links); otherwise what it is.
// mode gets the bits the output should have: the existing file's, or a new file's.
std::string NotARegularFile(const std::string& path, mode_t& mode) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        // Missing, or a fault the creation reports; but links that lead round in a loop
        // would be replaced by the rename, so the system's reason is given now.
        return errno == ELOOP ? std::strerror(errno) : std::string();
    }
    if (S_ISREG(info.st_mode)) {
        mode = info.st_mode & 07777;
        // A file its user may not write is not replaced behind its back, as on Windows.
        if (::access(path.c_str(), W_OK) != 0 && errno == EACCES)
            return std::strerror(errno);
        return {};
    }
    const char* kind = S_ISDIR(info.st_mode)    ? "a folder"
                       : S_ISFIFO(info.st_mode) ? "a named pipe"
                       : S_ISSOCK(info.st_mode) ? "a socket"
                                                : "a device";
    return std::string("it is ") + kind + ", not a regular file";
}

// A new empty file ".NAME.XXXXXX" in path's folder, NAME cut where the whole name would
// outgrow the folder's limit. Its descriptor stays open for the flush at the end.
std::string MakeTemporaryBeside(const std::string& path, mode_t mode, int& descriptor,
                                std::string& reason) {
    const std::string folder = FolderOf(path);
    long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (longest <= 0)
        longest = NAME_MAX;
    std::string name = NameOf(path);
    const std::size_t room = static_cast<std::size_t>(longest) - 8; // "." and ".XXXXXX"
    if (name.size() > room)
        name.resize(room);
    std::string pattern = folder + "/." + name + ".XXXXXX";
    std::vector<char> made(pattern.begin(), pattern.end());
    made.push_back('\0');
    descriptor = ::mkostemp(made.data(), O_CLOEXEC);
    if (descriptor < 0) {
        reason = std::strerror(errno);
        return {};
    }
    // mkstemp makes the file private; the output gets the bits it should have.
    ::fchmod(descriptor, mode);
    return made.data();
}

bool MoveIntoPlace(const std::string& temporary, const std::string& path, std::string& reason) {
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    // The rename itself reaches the disk with the folder; a folder that cannot be
    // flushed leaves the file written all the same.
    const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}
#endif

} // namespace

#ifdef _WIN32
TemporaryBeside::TemporaryBeside(const std::string& asked) : asked_(asked), path_(asked) {
    refusal_ = NotARegularFile(path_);
    if (refusal_.empty())
        temporary_ = MakeTemporaryBeside(path_, refusal_);
}

TemporaryBeside::~TemporaryBeside() {
    if (!temporary_.empty())
        std::remove(temporary_.c_str());
}

std::string TemporaryBeside::ReplaceAsked(const std::function<bool()>& keepGoing) {
    std::string reason;
    if (!FlushToDisk(temporary_, reason))
        return reason;
    if (keepGoing && !keepGoing())
        return kWriteStopped;
    if (!MoveIntoPlace(temporary_, path_, reason))
        return reason;
    temporary_.clear();
    return {};
}
#else
TemporaryBeside::TemporaryBeside(const std::string& asked)
    : asked_(asked), path_(FollowLinks(asked)) {
    mode_t mode = 0;
    refusal_ = NotARegularFile(path_, mode);
    if (refusal_.empty())
        temporary_ = MakeTemporaryBeside(path_, mode, descriptor_, refusal_);
}

TemporaryBeside::~TemporaryBeside() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
    if (!temporary_.empty())
        std::remove(temporary_.c_str());
}

std::string TemporaryBeside::ReplaceAsked(const std::function<bool()>& keepGoing) {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (::fsync(descriptor) != 0) {
        const std::string reason = std::strerror(errno);
        ::close(descriptor);
        return reason;
    }
    if (::close(descriptor) != 0)
        return std::strerror(errno);
    if (keepGoing && !keepGoing())
        return kWriteStopped;
    std::string reason;
    if (!MoveIntoPlace(temporary_, path_, reason))
        return reason;
    temporary_.clear();
    return {};
}
#endif

std::string TemporaryBeside::NamingAsked(std::string text) const {
    if (temporary_.empty())
        return text;
    for (std::size_t at = text.find(temporary_); at != std::string::npos;
         at = text.find(temporary_, at + asked_.size()))
        text.replace(at, temporary_.size(), asked_);
    return text;
}

} // namespace slanter
