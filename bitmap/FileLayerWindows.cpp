#include "bitmap/FileLayer.h"

#include <algorithm>

#include <windows.h>

namespace slanter {

namespace {

// One call moves at most this much; larger transfers loop.
constexpr std::size_t kLargestStep = std::size_t{1} << 30;

} // namespace

PlatformFile::~PlatformFile() {
    Close();
}

// A reader shares the file with other readers only: the open fails while anyone, in this
// program or another, holds the file for writing, and no writer gets in while we read.
bool PlatformFile::OpenForReading(const std::string& name) {
    Close();
    return Hold(::CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr),
                true);
}

// A writer shares with no one. CREATE_ALWAYS empties an existing file only once the open
// has succeeded, so a refused create leaves a held file as it was.
bool PlatformFile::Create(const std::string& name) {
    Close();
    return Hold(::CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr),
                false);
}

bool PlatformFile::Hold(void* handle, bool mustBeRegular) {
    lastError_ = 0;
    if (handle == INVALID_HANDLE_VALUE) {
        lastError_ = ::GetLastError();
        return false;
    }
    // A pipe or a device (CON, NUL, COM1) is not a picture file; folders never open here.
    if (mustBeRegular && ::GetFileType(handle) != FILE_TYPE_DISK) {
        lastError_ = ERROR_INVALID_FUNCTION;
        ::CloseHandle(handle);
        return false;
    }
    handle_ = handle;
    position_ = 0;
    return true;
}

// Windows has no call that starts the write-out without waiting for it; the flush at the
// end does it all.
void PlatformFile::StartWriteBack(std::int64_t, std::int64_t) {}

bool PlatformFile::IsOpen() const {
    return handle_ != nullptr;
}

bool PlatformFile::Close() {
    const bool closed = handle_ == nullptr || ::CloseHandle(handle_) != 0;
    if (!closed)
        lastError_ = ::GetLastError();
    handle_ = nullptr;
    return closed;
}

std::size_t PlatformFile::Read(void* buffer, std::size_t count) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (handle_ != nullptr && done < count) {
        DWORD step = 0;
        const auto wanted = static_cast<DWORD>(std::min(count - done, kLargestStep));
        if (!::ReadFile(handle_, bytes + done, wanted, &step, nullptr)) {
            lastError_ = ::GetLastError();
            break;
        }
        if (step == 0)
            break;
        done += step;
    }
    position_ += static_cast<std::int64_t>(done);
    return done;
}

std::size_t PlatformFile::Write(const void* buffer, std::size_t count) {
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    std::size_t done = 0;
    while (handle_ != nullptr && done < count) {
        DWORD step = 0;
        const auto wanted = static_cast<DWORD>(std::min(count - done, kLargestStep));
        if (!::WriteFile(handle_, bytes + done, wanted, &step, nullptr)) {
            lastError_ = ::GetLastError();
            break;
        }
        if (step == 0)
            break;
        done += step;
    }
    position_ += static_cast<std::int64_t>(done);
    return done;
}

// FormatMessage answers in the user's language where Windows has the text.
std::string PlatformFile::FailureReason() const {
    if (lastError_ == 0)
        return {};
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(lastError_), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason(text != nullptr ? text : "", length);
    ::LocalFree(text);
    while (!reason.empty() &&
           (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.'))
        reason.pop_back();
    return reason.empty() ? "error " + std::to_string(lastError_) : reason;
}

std::int64_t PlatformFile::Size() const {
    LARGE_INTEGER size{};
    if (handle_ == nullptr || !::GetFileSizeEx(handle_, &size))
        return -1;
    return static_cast<std::int64_t>(size.QuadPart);
}

} // namespace slanter
