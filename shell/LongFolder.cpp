#include "shell/LongFolder.h"

#include "shell/TextUtilities.h"

namespace slanter {

std::string LongFolderName(const std::string& folder, const StoredNameLookup& storedName,
                           CodePage codePage) {
    const int first = MBPos("\\", folder, codePage);
    if (first == 0)
        return folder;
    std::string longName = MBCopy(folder, 1, first - 1, codePage);
    std::string shortName = longName;
    std::string rest = MBCopyFrom(folder, first + 1, codePage);
    // The short path grows as given, so each lookup is by a path that exists as written.
    for (int next = MBPos("\\", rest, codePage); next > 0; next = MBPos("\\", rest, codePage)) {
        const std::string piece = MBCopy(rest, 1, next - 1, codePage);
        shortName += "\\" + piece;
        const std::optional<std::string> stored = storedName(shortName);
        longName += "\\" + (stored ? *stored : piece);
        rest = MBCopyFrom(rest, next + 1, codePage);
    }
    return longName + "\\";
}

} // namespace slanter
