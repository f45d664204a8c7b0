#pragma once

#include <functional>
#include <optional>
#include <string>

#include "shell/TextUtilities.h"

namespace slanter {

// The stored (long) name of the entry a path names; nothing when there is none.
using StoredNameLookup = std::function<std::optional<std::string>(const std::string& path)>;

// A folder given with backslashes, its trailing one included, possibly in short 8.3 form
// ("C:\PROGRA~1\TOOLS\"), turned into its long form one component at a time: after the
// drive, each component is looked up by the path up to it as given and replaced by the
// entry's stored name, or kept as it is when it cannot be looked up. A folder without a
// backslash is answered unchanged. Backslashes count only at character boundaries of the
// code page.
std::string LongFolderName(const std::string& folder, const StoredNameLookup& storedName,
                           CodePage codePage = CodePage::ShiftJis);

} // namespace slanter
