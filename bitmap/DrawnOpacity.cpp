#include "bitmap/DrawnOpacity.h"

#include <algorithm>
#include <cstdint>

#include "bitmap/HandyBitmap.h"
#include "bitmap/KeptLayer.h"

namespace slanter {

namespace {

std::int32_t Channel(std::int32_t color, int channel) {
    return color >> (8 * channel) & 0xFF;
}

// The opacity that turns black into what the white drawing shows: the channels' mean
// difference, which rounding leaves a level apart at most.
std::int32_t OpacityBetween(std::int32_t white, std::int32_t black) {
    std::int32_t through = 0;
    for (int c = 0; c < 3; ++c)
        through += std::max(Channel(white, c) - Channel(black, c), 0);
    return 255 - (through + 1) / 3;
}

} // namespace

bool KeepDrawnOpacity(const THandyBitmap& onWhite, const THandyBitmap& onBlack, KeptLayer& kept) {
    const std::int32_t width = onWhite.biWidth();
    const std::int32_t height = onWhite.biHeight();
    if (onBlack.biWidth() != width || onBlack.biHeight() != height || onWhite.PaletteCount() != 0 ||
        onBlack.PaletteCount() != 0)
        return false;
    bool clear = false;
    for (std::int32_t y = 0; y < height && !clear; ++y)
        for (std::int32_t x = 0; x < width && !clear; ++x)
            clear = OpacityBetween(onWhite.GetPixelColor(x, y), onBlack.GetPixelColor(x, y)) < 255;
    if (!clear || !kept.ResetPixels(width, height, 8, true))
        return false;
    KeptPixel* pixels = kept.Pixels();
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const std::int32_t black = onBlack.GetPixelColor(x, y);
            const std::int32_t alpha = OpacityBetween(onWhite.GetPixelColor(x, y), black);
            std::uint32_t straight[3] = {};
            for (int c = 0; alpha > 0 && c < 3; ++c)
                straight[c] = static_cast<std::uint32_t>(
                    std::min((Channel(black, c) * 255 + alpha / 2) / alpha, 255));
            pixels[std::int64_t{y} * width + x] = MakeKeptPixel(
                straight[0], straight[1], straight[2], static_cast<std::uint32_t>(alpha));
        }
    }
    kept.MarkAlpha();
    return true;
}

} // namespace slanter
