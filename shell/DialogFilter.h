#pragma once

#include <string>
#include <vector>

namespace slanter {

// A file dialog's filter written as description|pattern|description|pattern..., turned
// into one entry a pair for a dialog that reads "text (patterns)": the description, a
// blank and the patterns in parentheses, blank-separated. "*.*" means every file, as it
// does where the filter comes from, so it becomes "*" (a name without a dot counts too).
// The dialog is to hide that last parenthesis, so the description shows as written.
std::vector<std::string> DialogNameFilters(const std::string& filter);

// The extension a save dialog gives a name typed without one, once the user chose the
// entry `entry` (as DialogNameFilters makes them): the entry's one pattern "*.ext" gives
// "ext"; an entry of several patterns or of every file gives `fallback`.
std::string DialogEntrySuffix(const std::string& entry, const std::string& fallback);

// The place (from 0) of the filter's first pair whose pattern is "*.extension", in any
// case; 0 when none is.
int FilterPlaceOf(const std::string& filter, const std::string& extension);

} // namespace slanter
