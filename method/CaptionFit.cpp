#include "method/CaptionFit.h"

#include <algorithm>

namespace slanter {

int FittedFontPixels(int pixels, const std::function<bool(int pixels)>& fits) {
    while (!fits(pixels) && pixels > kLeastCaptionPixels)
        --pixels;
    return pixels;
}

int FittedButtonWidth(int needed, int width, int room) {
    return needed > width ? std::min(needed, room) : width;
}

} // namespace slanter
