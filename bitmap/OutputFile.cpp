#include "bitmap/OutputFile.h"

#include <cstdio>
#include <utility>
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

#include "bitmap/HandyBitmap.h"
#include "bitmap/PngFile.h"
#include "bitmap/encoders/PngEncoder.h"

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

// A descriptor that is closed when it goes, unless Close was asked and answered.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

  private:
    int fd_;
};

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

// The user never asked for the hidden temporary: a text naming it names the file asked for.
std::string NamingTheUsersFile(std::string text, const std::string& temporary,
                               const std::string& asked) {
    for (std::size_t at = text.find(temporary); at != std::string::npos;
         at = text.find(temporary, at + asked.size()))
        text.replace(at, temporary.size(), asked);
    return text;
}

} // namespace

std::string WriteResultFile(THandyBitmap& bitmap, const std::string& asked,
                            const std::function<bool()>& keepGoing,
                            const ResultFileWriting& writing) {
    if (asked.empty())
        return "no file name";
    std::string reason;
#ifdef _WIN32
    const std::string& path = asked;
    if (std::string refusal = NotARegularFile(path); !refusal.empty())
        return refusal;
    const std::string temporary = MakeTemporaryBeside(path, reason);
    if (temporary.empty())
        return reason;
    const auto flush = [&temporary](std::string& why) { return FlushToDisk(temporary, why); };
#else
    const std::string path = FollowLinks(asked);
    mode_t mode = 0;
    if (std::string refusal = NotARegularFile(path, mode); !refusal.empty())
        return refusal;
    int made = -1;
    const std::string temporary = MakeTemporaryBeside(path, mode, made, reason);
    if (temporary.empty())
        return reason;
    Descriptor descriptor(made);
    const auto flush = [&descriptor](std::string& why) {
        if (::fsync(descriptor.Get()) == 0 && descriptor.Close())
            return true;
        why = std::strerror(errno);
        return false;
    };
#endif

    // The format follows the name asked for, not the name a link leads to.
    if (NamesPngFile(asked)) {
        PngEncoding encoding;
        encoding.threads = writing.threads;
        encoding.keepGoing = writing.progress;
        if (std::string problem = SaveAsPng(bitmap, temporary, encoding); !problem.empty()) {
            std::remove(temporary.c_str());
            return problem == kPngStopped ? kWriteStopped
                                          : NamingTheUsersFile(problem, temporary, asked);
        }
    } else if (!bitmap.SaveToFile(temporary)) {
        std::remove(temporary.c_str());
        // The system's words tell the user more than the header that was being written.
        if (!bitmap.SystemReason().empty())
            return bitmap.SystemReason();
        return bitmap.ErrorText().empty()
                   ? "the file could not be written"
                   : NamingTheUsersFile(bitmap.ErrorText(), temporary, asked);
    }
    if (writing.progress && !writing.progress(1.0)) {
        std::remove(temporary.c_str());
        return kWriteStopped;
    }
    if (!flush(reason)) {
        std::remove(temporary.c_str());
        return reason;
    }
    if (keepGoing && !keepGoing()) {
        std::remove(temporary.c_str());
        return kWriteStopped;
    }
    if (!MoveIntoPlace(temporary, path, reason)) {
        std::remove(temporary.c_str());
        return reason;
    }
    return {};
}

} // namespace slanter
