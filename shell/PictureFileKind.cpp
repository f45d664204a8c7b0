#include "shell/PictureFileKind.h"

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

} // namespace slanter
