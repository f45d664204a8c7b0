#include "conversion/ResultTexts.h"

#include "shell/DesktopWallpaper.h"

#include "bitmap/HandyBitmap.h"
#include "shell/MainTexts.h"
#include "shell/TextUtilities.h"

namespace slanter {

std::string NumberedCaption(const std::string& caption, std::int32_t resultNumber) {
    return caption + "(" + std::to_string(resultNumber) + ")";
}

std::string ResultInfoText(bool japanese, bool horizontal, bool rightUp, bool smoothing,
                           std::int32_t width, std::int32_t height, int bitCount) {
    const std::string colors = ColorCountText(bitCount);
    if (japanese) {
        return std::string(horizontal ? "横" : "縦") + "ならび\r\n" + (rightUp ? "右" : "左") +
               "上がり\r\nスムージング" + (smoothing ? "した" : "しない") + "\r\n\r\n" + "幅 " +
               std::to_string(width) + "ドット\r\n" + "高さ " + std::to_string(height) +
               "ドット\r\n" + colors + "色\r\n";
    }
    return std::string(horizontal ? "Horizontal" : "Vertical") + "\r\n" +
           (rightUp ? "Right" : "Left") + " Up\r\nSmoothing " + (smoothing ? "On" : "Off") +
           "\r\n\r\n" + std::to_string(width) + " dots in width\r\n" + std::to_string(height) +
           " dots in height\r\n" + colors + " colors\r\n";
}

std::string ResultFileName(std::int32_t resultNumber) {
    return "Temp" + RightStr(std::to_string(std::int64_t{resultNumber} + 10000), 4) + ".bmp";
}

std::string ResultNotWrittenText(bool japanese, const std::string& fileName,
                                 const std::string& reason) {
    const std::string because = "(" + reason + ")\r\n";
    return japanese ? fileName + " に、\r\n" + "変換した画像を書き込めません。\r\n" + because
                    : "Can't write the converted image to " + fileName + ".\r\n" + because;
}

std::string ResultNotReadText(bool japanese, const std::string& fileName,
                              const std::string& reason) {
    const std::string because = "(" + reason + ")\r\n";
    return japanese ? fileName + " から、\r\n" + "変換した画像を読み込めません。\r\n" + because
                    : "Can't read the converted image back from " + fileName + ".\r\n" + because;
}

std::string TileTooLargeText(bool japanese, std::int32_t width, std::int32_t height, int bitCount) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    const std::string limit = std::to_string(THandyBitmap::kMaxImageBytes);
    if (japanese) {
        return "この模様の画像 (" + size + "ドット, " + std::to_string(bitCount) +
               "ビット) は大きすぎて、\r\n" + "ビットマップファイルに書き込めません。\r\n" +
               "(画素のデータが " + limit + " バイトを超えます)\r\n";
    }
    return "The image of this pattern (" + size + " dots, " + std::to_string(bitCount) +
           " bits) is too large\r\n" + "to be written as a Bitmap file.\r\n" +
           "(its pixel data exceed " + limit + " bytes)\r\n";
}

std::string ResultOutOfMemoryText(bool japanese, std::int32_t width, std::int32_t height) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    return japanese ? "変換した画像 (" + size + "ドット) のためのメモリが足りません。\r\n" +
                          "(out of memory)\r\n"
                    : "There is not enough memory for the converted image (" + size +
                          " dots).\r\n(out of memory)\r\n";
}

std::string NoResultFileText(bool japanese) {
    return japanese ? std::string("変換した画像を書き込む一時ファイルを作れません。\r\n")
                    : std::string("No temporary file can be made for the converted image.\r\n");
}

std::string ResultNotSavedText(bool japanese, const std::string& fileName,
                               const std::string& reason) {
    const std::string because = reason.empty() ? std::string() : "(" + reason + ")\r\n";
    return japanese ? fileName + " に、\r\n" + "保存することができません。\r\n" + because
                    : "Can't save to " + fileName + ".\r\n" + because;
}

std::string WallpaperNotSetText(bool japanese, const std::string& fileName,
                                const std::string& reason) {
    if (reason == kNoKnownDesktop)
        return japanese
                   ? fileName + " に保存しました。\r\n" +
                         "壁紙を設定できるデスクトップが見つかりません。\r\n" +
                         "デスクトップの設定で、この画像を並べて表示する壁紙に選んでください。\r\n"
                   : "Saved as " + fileName + ".\r\n" +
                         "No desktop this program can set was found:\r\n" +
                         "choose the picture, tiled, in your desktop's settings.\r\n";
    return japanese
               ? fileName + " に保存しましたが、\r\n" +
                     "デスクトップの壁紙に設定できませんでした。\r\n(" + reason + ")\r\n"
               : "Saved as " + fileName + ",\r\n" +
                     "but it could not be set as the desktop wallpaper.\r\n(" + reason + ")\r\n";
}

std::string ResultFileGoneText(bool japanese, const std::string& fileName) {
    return japanese ? fileName + " が、\r\n" + "見つからないので保存できません。\r\n" +
                          "もう一度変換してください。\r\n"
                    : "Can't save: the converted image " + fileName + " is gone.\r\n" +
                          "Convert the image again.\r\n";
}

} // namespace slanter
