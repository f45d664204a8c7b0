#include "conversion/ResultSaveFilter.h"

#include "shell/TextUtilities.h"

namespace slanter {

std::string ResultSaveFilter(bool japanese) {
    return japanese ? "ビットマップファイル (*.bmp)|*.bmp|PNGファイル (*.png)|*.png|"
                      "すべてのファイル (*.*)|*.*"
                    : "Bitmap Files (*.bmp)|*.bmp|PNG Files (*.png)|*.png|All Files (*.*)|*.*";
}

SavedFormat SavedFormatOf(const std::string& fileName) {
    const auto dot = fileName.rfind('.');
    const auto slash = fileName.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && slash > dot))
        return SavedFormat::Bmp;
    const std::string extension = LowerCaseAscii(fileName.substr(dot + 1));
    if (extension == "bmp")
        return SavedFormat::Bmp;
    return extension == "png" ? SavedFormat::Png : SavedFormat::Refused;
}

std::string UnsavableExtensionText(bool japanese, const std::string& fileName) {
    return japanese ? fileName + " には、\r\n保存できません。\r\n"
                                 "保存できるのは .bmp と .png のファイルです。\r\n"
                    : "Can't save to " + fileName + ".\r\n" +
                          "The converted image is saved as a .bmp or a .png file.\r\n";
}

} // namespace slanter
