#include "conversion/ResultTexts.h"

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

} // namespace slanter
