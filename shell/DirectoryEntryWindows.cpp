#include "shell/DirectoryEntry.h"

#include <windows.h>

namespace slanter {

namespace {

// The DOS attribute bit of a volume label; Win32 gives it no name of its own.
constexpr DWORD kVolumeLabelAttribute = 0x8;

} // namespace

std::optional<DirectoryEntry> FindEntry(const std::string& name) {
    if (name.empty() || name.find_first_of("*?") != std::string::npos)
        return std::nullopt;
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA(name.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::nullopt;
    ::FindClose(search);
    DirectoryEntry entry;
    entry.storedName = found.cFileName;
    entry.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.volumeLabel = (found.dwFileAttributes & kVolumeLabelAttribute) != 0;
    return entry;
}

} // namespace slanter
