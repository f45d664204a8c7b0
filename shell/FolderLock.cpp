#include "shell/FolderLock.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace slanter {

namespace fs = std::filesystem;

#ifdef _WIN32

namespace {

// On Windows the lock is a file in the folder that the run keeps open with no sharing;
// the system closes it, and deletes it, when the run ends in any way.
std::string LockFileOf(const std::string& folder) {
    return (fs::path(folder) / "run.lock").string();
}

} // namespace

FolderLock::FolderLock(const std::string& folder) {
    HANDLE handle =
        ::CreateFileA(LockFileOf(folder).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                      OPEN_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle != INVALID_HANDLE_VALUE)
        handle_ = handle;
}

bool FolderLock::Held() const {
    return handle_ != nullptr;
}

void FolderLock::Release() {
    if (handle_ != nullptr)
        ::CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

namespace {

bool MadeByThisUser(const std::string&) {
    // The user's temporary location on Windows is the user's own.
    return true;
}

} // namespace

#else

FolderLock::FolderLock(const std::string& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0)
        return;
    // flock belongs to the open folder, not to the process's other descriptors, and goes
    // when the last descriptor of it closes, as the kernel does for a killed process.
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor);
        return;
    }
    descriptor_ = descriptor;
}

bool FolderLock::Held() const {
    return descriptor_ >= 0;
}

void FolderLock::Release() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
    descriptor_ = -1;
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        Release();
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

namespace {

bool MadeByThisUser(const std::string& folder) {
    struct stat status {};
    return ::lstat(folder.c_str(), &status) == 0 && status.st_uid == ::geteuid();
}

} // namespace

#endif

FolderLock::~FolderLock() {
    Release();
}

bool IsRunFolderName(const std::string& name) {
    const std::string prefix = "slanter-";
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 10 ||
        name.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(
        name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(), [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        });
}

void RemoveDeadRunFolders(const std::string& parent) {
    std::error_code error;
    fs::directory_iterator entries(parent, error);
    if (error)
        return;
    for (const fs::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (!IsRunFolderName(name))
            continue;
        std::error_code ignored;
        if (!fs::is_directory(entry.symlink_status(ignored)))
            continue;
        const std::string folder = entry.path().string();
        if (!MadeByThisUser(folder))
            continue;
        FolderLock lock(folder);
        if (!lock.Held())
            continue; // a live run's
        // Windows removes no folder that holds an open file, the lock's own.
        lock.Release();
        fs::remove_all(folder, ignored);
    }
}

} // namespace slanter
