#include "bitmap/FileLayer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace slanter {

namespace {

// One system call moves at most this much; larger transfers loop.
constexpr std::size_t kLargestStep = std::size_t{1} << 30;

// Moves count bytes with `call` (read or write), resuming after interruptions; stops at
// the first short end or refusal. Answers the bytes moved.
// error gets errno of a refusal; an end of file is none.
template <typename Bytes, typename Call>
std::size_t Transfer(int fd, Bytes* bytes, std::size_t count, Call call, unsigned long& error) {
    std::size_t done = 0;
    while (fd >= 0 && done < count) {
        const ssize_t step = call(fd, bytes + done, std::min(count - done, kLargestStep));
        if (step > 0) {
            done += static_cast<std::size_t>(step);
        } else if (!(step < 0 && errno == EINTR)) {
            error = step < 0 ? static_cast<unsigned long>(errno) : error;
            break;
        }
    }
    if (fd < 0 && count > 0)
        error = EBADF;
    return done;
}

} // namespace

PlatformFile::~PlatformFile() {
    Close();
}

bool PlatformFile::OpenForReading(const std::string& name) {
    Close();
    // Non-blocking, so that a named pipe cannot hang the open; it is refused below.
    return Hold(::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK), true, LOCK_SH);
}

bool PlatformFile::Create(const std::string& name) {
    Close();
    // Not O_TRUNC: a file that another opener holds must be left as it is.
    if (!Hold(::open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666), false,
              LOCK_EX))
        return false;
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode) && ::ftruncate(fd_, 0) != 0) {
        Close();
        return false;
    }
    return true;
}

bool PlatformFile::Hold(int fd, bool mustBeRegular, int lock) {
    lastError_ = 0;
    if (fd < 0) {
        lastError_ = static_cast<unsigned long>(errno);
        return false;
    }
    struct stat info {};
    const bool usable = ::fstat(fd, &info) == 0 && (!mustBeRegular || S_ISREG(info.st_mode)) &&
                        ::flock(fd, lock | LOCK_NB) == 0;
    if (!usable) {
        lastError_ = static_cast<unsigned long>(errno);
        ::close(fd);
        return false;
    }
    fd_ = fd;
    position_ = 0;
    return true;
}

void PlatformFile::StartWriteBack(std::int64_t offset, std::int64_t count) {
#ifdef __linux__
    if (fd_ >= 0 && offset >= 0 && count > 0)
        ::sync_file_range(fd_, offset, count, SYNC_FILE_RANGE_WRITE);
#else
    (void)offset;
    (void)count;
#endif
}

bool PlatformFile::IsOpen() const {
    return fd_ >= 0;
}

bool PlatformFile::Close() {
    const bool closed = fd_ < 0 || ::close(fd_) == 0;
    if (!closed)
        lastError_ = static_cast<unsigned long>(errno);
    fd_ = -1;
    return closed;
}

std::string PlatformFile::FailureReason() const {
    return lastError_ == 0 ? std::string() : std::strerror(static_cast<int>(lastError_));
}

std::size_t PlatformFile::Read(void* buffer, std::size_t count) {
    const std::size_t done = Transfer(
        fd_, static_cast<unsigned char*>(buffer), count,
        [](int fd, unsigned char* at, std::size_t n) { return ::read(fd, at, n); }, lastError_);
    position_ += static_cast<std::int64_t>(done);
    return done;
}

std::size_t PlatformFile::Write(const void* buffer, std::size_t count) {
    const std::size_t done = Transfer(
        fd_, static_cast<const unsigned char*>(buffer), count,
        [](int fd, const unsigned char* at, std::size_t n) { return ::write(fd, at, n); },
        lastError_);
    position_ += static_cast<std::int64_t>(done);
    return done;
}

std::int64_t PlatformFile::Size() const {
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0)
        return -1;
    return static_cast<std::int64_t>(info.st_size);
}

} // namespace slanter
