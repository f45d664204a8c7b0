#include "shell/ProgramIdentity.h"

#ifdef _WIN32
#include <cstddef>

#include "shell/DirectoryEntry.h"
#include "shell/LongFolder.h"
#include "shell/TextUtilities.h"
#endif

namespace slanter {

namespace {

#ifdef _WIN32
// Offset of the last separator (a backslash, or a slash, which Windows takes as well) at
// a character boundary of the run's code page: in Shift-JIS a second byte 0x5C is no
// separator, and in UTF-8 a byte 0x81-0x9F ends a character instead of starting one.
std::size_t LastSeparator(const std::string& fullName) {
    std::size_t last = std::string::npos;
    for (std::size_t offset = 0; offset < fullName.size();
         offset += CharacterLength(fullName, offset, TextCodePage())) {
        if (fullName[offset] == '\\' || fullName[offset] == '/')
            last = offset;
    }
    return last;
}

std::optional<std::string> StoredName(const std::string& path) {
    const std::optional<DirectoryEntry> entry = FindEntry(path);
    return entry ? std::optional<std::string>(entry->storedName) : std::nullopt;
}
#else
// Program file names come from the platform in its own encoding (UTF-8 here), where the
// separator byte never occurs inside a longer character.
std::size_t LastSeparator(const std::string& fullName) {
    return fullName.rfind('/');
}
#endif

} // namespace

std::string DescriptionText(bool japanese) {
    return japanese ? "画像を斜めに貼り付けられるようにするソフト" : "Bitmap Image Modifying Tool";
}

std::string FolderPart(const std::string& fullName) {
    const auto separator = LastSeparator(fullName);
    return separator == std::string::npos ? std::string{} : fullName.substr(0, separator + 1);
}

std::string NamePart(const std::string& fullName) {
    const auto separator = LastSeparator(fullName);
    return separator == std::string::npos ? fullName : fullName.substr(separator + 1);
}

std::string ProgramNameFromFileName(const std::string& fileName) {
    // A leading dot marks a hidden file, not an extension. The dot byte is never the
    // second byte of a double-byte character, so a plain search is safe.
    const auto dot = fileName.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return fileName;
    return fileName.substr(0, dot);
}

#ifdef _WIN32
std::string ProgramFolderOf(const std::string& programFile) {
    return LongFolderName(FolderPart(programFile), StoredName, TextCodePage());
}

std::string ProgramNameOf(const std::string& programFile) {
    return ProgramNameFromFileName(StoredName(programFile).value_or(NamePart(programFile)));
}
#else
std::string ProgramFolderOf(const std::string& programFile) {
    return FolderPart(programFile);
}

std::string ProgramNameOf(const std::string& programFile) {
    return ProgramNameFromFileName(NamePart(programFile));
}
#endif

} // namespace slanter
