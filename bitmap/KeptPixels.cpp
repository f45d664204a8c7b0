#include "bitmap/KeptPixels.h"

#include "bitmap/HandyBitmap.h"

namespace slanter {

bool KeepsPixels(const THandyBitmap& picture) {
    const KeptLayer& kept = picture.Kept();
    return (kept.HasPixels() && kept.Width() == picture.biWidth()) || !kept.palette.empty();
}

KeptPixel KeptPixelAt(const THandyBitmap& picture, std::int32_t x, std::int32_t y) {
    const KeptLayer& kept = picture.Kept();
    if (x < 0 || x >= picture.biWidth() || y < 0 || y >= picture.biHeight())
        return 0;
    if (kept.HasPixels())
        return kept.Pixels()[std::int64_t{y} * kept.Width() + x];
    const std::int32_t index = picture.GetPixelIndex(x, y);
    if (index < 0 || static_cast<std::size_t>(index) >= kept.palette.size())
        return 0;
    const std::uint32_t c = kept.palette[static_cast<std::size_t>(index)];
    return MakeKeptPixel(c & 255, c >> 8 & 255, c >> 16 & 255, c >> 24);
}

bool KeepsTransparency(const THandyBitmap& picture) {
    const KeptLayer& kept = picture.Kept();
    return KeepsPixels(picture) && (kept.HasAlpha() || !kept.palette.empty());
}

std::uint32_t StraightRgbaAt(const THandyBitmap& picture, std::int32_t x, std::int32_t y) {
    const KeptPixel pixel = KeptPixelAt(picture, x, y);
    const bool deep = picture.Kept().HasPixels() && picture.Kept().ChannelBits() == 16;
    std::uint32_t rgba = 0;
    for (int c = 0; c < 4; ++c) {
        const std::uint32_t value = KeptChannel(pixel, c);
        rgba |= (deep ? (value * 255 + 32767) / 65535 : value) << 8 * c;
    }
    return rgba;
}

} // namespace slanter
