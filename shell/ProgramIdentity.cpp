#include "shell/ProgramIdentity.h"

namespace slanter {

namespace {

// Program file names come from the platform in its own encoding (UTF-8 here), where the
// separator byte never occurs inside a longer character.
constexpr char kSeparator = '/';

} // namespace

std::string DescriptionText(bool japanese) {
    return japanese ? "画像を斜めに貼り付けられるようにするソフト" : "Bitmap Image Modifying Tool";
}

std::string FolderPart(const std::string& fullName) {
    const auto separator = fullName.rfind(kSeparator);
    return separator == std::string::npos ? std::string{} : fullName.substr(0, separator + 1);
}

std::string NamePart(const std::string& fullName) {
    const auto separator = fullName.rfind(kSeparator);
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

} // namespace slanter
