#include "bitmap/Checkerboard.h"

#include "bitmap/HandyBitmap.h"

namespace slanter {

namespace {

constexpr std::int32_t kLightSquare = 0xFFFFFF;
constexpr std::int32_t kDarkSquare = 0xCCCCCC;

// One channel of the kept pixel over one of the square, to the nearest 8-bit level.
std::int32_t Laid(KeptPixel pixel, int channel, std::int32_t square, std::uint32_t most) {
    const std::uint64_t alpha = KeptChannel(pixel, 3);
    // The square's 8-bit level at the plane's depth (65535 is 255 x 257).
    const std::uint64_t under =
        static_cast<std::uint64_t>(square >> 8 * channel & 255) * (most / 255);
    const std::uint64_t sum = KeptChannel(pixel, channel) * alpha + under * (most - alpha);
    // sum / most is the channel at the plane's depth; scaled to 8 bits, rounded.
    return static_cast<std::int32_t>((sum * 255 + std::uint64_t{most} * most / 2) /
                                     (std::uint64_t{most} * most));
}

} // namespace

std::int32_t OverCheckerboard(KeptPixel pixel, std::uint32_t channelMax, std::int32_t x,
                              std::int32_t y) {
    const std::int32_t square = CheckerboardColor(x, y);
    return Laid(pixel, 0, square, channelMax) | Laid(pixel, 1, square, channelMax) << 8 |
           Laid(pixel, 2, square, channelMax) << 16;
}

std::int32_t CheckerboardColor(std::int32_t x, std::int32_t y) {
    return (x / kCheckerSquare + y / kCheckerSquare) % 2 == 0 ? kLightSquare : kDarkSquare;
}

const THandyBitmap& PictureToShow(const THandyBitmap& picture, THandyBitmap& shown) {
    const KeptLayer& kept = picture.Kept();
    const bool planeAlpha =
        kept.HasPixels() && kept.HasAlpha() && kept.Width() == picture.biWidth();
    if (!planeAlpha && kept.palette.empty())
        return picture;
    const std::int32_t width = picture.biWidth();
    const std::int32_t height = picture.biHeight();
    shown.NewImage(width, height, 24);
    if (shown.biWidth() != width || shown.biHeight() != height)
        return picture;
    const std::uint32_t most = planeAlpha ? kept.ChannelMax() : 255;
    for (std::int32_t y = 0; y < height; ++y) {
        std::int32_t* cells = shown.CellRow(y);
        for (std::int32_t x = 0; x < width; ++x) {
            KeptPixel pixel = 0;
            if (planeAlpha) {
                pixel = kept.Pixels()[std::int64_t{y} * width + x];
            } else {
                const std::int32_t index = picture.GetPixelIndex(x, y);
                const std::uint32_t c =
                    index >= 0 && static_cast<std::size_t>(index) < kept.palette.size()
                        ? kept.palette[static_cast<std::size_t>(index)]
                        : static_cast<std::uint32_t>(picture.GetPixelColor(x, y)) | 0xFF000000u;
                pixel = MakeKeptPixel(c & 255, c >> 8 & 255, c >> 16 & 255, c >> 24);
            }
            cells[x] = OverCheckerboard(pixel, most, x, height - 1 - y);
        }
    }
    return shown;
}

} // namespace slanter
