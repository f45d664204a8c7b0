#pragma once

#include <string>
#include <vector>

namespace slanter {

// The File menu's list of the pictures opened last, newest first.
inline constexpr std::size_t kMostRecentFiles = 8;

// The list after `fileName` was opened: it comes first, an earlier place of it goes, and
// the list keeps at most kMostRecentFiles names. A name the settings store cannot keep
// (empty, or with a line break) leaves the list as it was.
std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& fileName);

// The list without `fileName`.
std::vector<std::string> WithoutRecentFile(std::vector<std::string> list,
                                           const std::string& fileName);

// The list as read from the store: empty names and repeats dropped, at most
// kMostRecentFiles kept.
std::vector<std::string> CleanRecentFiles(const std::vector<std::string>& stored);

// The menu caption of entry `index` (0 for the newest): "&1 " and the name, its own
// ampersands doubled so that they show.
std::string RecentFileCaption(std::size_t index, const std::string& fileName);

} // namespace slanter
