#pragma once

#include <functional>
#include <string>

namespace slanter {

// True when a directory entry of that name exists and is not a folder. A link counts by
// what it points to, so a link to a folder is a folder; a dangling link is still an entry.
// On Windows the entry is found with any attributes and must not be a volume label.
bool FileFound(const std::string& fileName);

// A test whether a name is a file (FileFound unless a test gives its own).
using NamesAFile = std::function<bool(const std::string& name)>;

} // namespace slanter
