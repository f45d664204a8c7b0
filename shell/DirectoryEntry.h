#pragma once

#include <optional>
#include <string>

namespace slanter {

// A directory entry as Windows stores it: its long name, whatever form the name it was
// looked up by had, and whether it is a folder or a volume label.
struct DirectoryEntry {
    std::string storedName;
    bool folder = false;
    bool volumeLabel = false;
};

// Looks name up with any attributes (FindFirstFileA); nothing when no entry has that name.
// Wildcards name no entry, so a name holding * or ? finds nothing. Built for Windows only:
// other platforms have no short names to resolve.
std::optional<DirectoryEntry> FindEntry(const std::string& name);

} // namespace slanter
