#include "cli/ScaleOption.h"

#include "bitmap/AreaResize.h"
#include "bitmap/HandyBitmap.h"
#include "cli/ArgumentParsing.h"
#include "cli/MemoryTexts.h"

namespace slanter::cli {

std::string TakeScale(const Arguments& args, Arguments& rest, std::optional<ScaleRequest>& scale) {
    return TakeOptionValues(args, "--scale", "--scale needs a size: 50%, 1920x, x1080 or 1920x1080",
                            rest, [&scale](const std::string& value) {
                                scale = ParseScale(value);
                                return scale ? std::string()
                                             : "the scale '" + value +
                                                   "' is not a size: 50% (above 0, at most "
                                                   "10000%), 1920x, x1080 or 1920x1080";
                            });
}

std::optional<TPoint> ScaleSize(const std::optional<ScaleRequest>& scale, TPoint size,
                                std::string& problem) {
    if (!scale)
        return size;
    const std::optional<TPoint> scaled = ScaledSize(*scale, size);
    if (!scaled)
        problem = "a " + std::to_string(size.X) + " x " + std::to_string(size.Y) +
                  " picture cannot take that scale: the new size is too large";
    return scaled;
}

std::string ApplyScale(const std::optional<ScaleRequest>& scale, THandyBitmap& picture) {
    std::string problem;
    const std::optional<TPoint> size =
        ScaleSize(scale, {picture.biWidth(), picture.biHeight()}, problem);
    if (!size)
        return problem;
    if (!scale || (size->X == picture.biWidth() && size->Y == picture.biHeight()))
        return {};
    THandyBitmap resized;
    if (!AreaResize(picture, size->X, size->Y, resized))
        return ScaleWithoutMemoryText(*size);
    picture = std::move(resized);
    return {};
}

} // namespace slanter::cli
