#include "shell/PictureFileKind.h"

#include <algorithm>

#include "shell/ProgramIdentity.h"
#include "shell/TextUtilities.h"

namespace slanter {

namespace {

// The extension of the name part, without its dot; empty when there is none.
std::string Extension(const std::string& fileName) {
    const std::string name = NamePart(fileName);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string{} : name.substr(dot + 1);
}

} // namespace

PictureFileKind KindOfChosenFile(const std::string& fileName) {
    if (UpperCaseAscii(Extension(fileName)) == "BMP")
        return PictureFileKind::Bitmap;
    if (UpperCaseAscii(RightStr(fileName, 4)) == ".ICO")
        return PictureFileKind::Icon;
    return PictureFileKind::Other;
}

PictureFileKind KindOfChosenFile(const std::string& fileName,
                                 const std::vector<std::string>& pictureExtensions) {
    const PictureFileKind kind = KindOfChosenFile(fileName);
    if (kind != PictureFileKind::Other)
        return kind;
    const std::string extension = LowerCaseAscii(Extension(fileName));
    const bool decoded = !extension.empty() &&
                         std::find(pictureExtensions.begin(), pictureExtensions.end(), extension) !=
                             pictureExtensions.end();
    return decoded ? PictureFileKind::Picture : PictureFileKind::Other;
}

} // namespace slanter
