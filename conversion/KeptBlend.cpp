#include "conversion/KeptBlend.h"

#include <algorithm>

#include "bitmap/HandyBitmap.h"
#include "bitmap/KeptPixels.h"
#include "conversion/EdgeBlend.h"
#include "engine/Extended.h"

namespace slanter {

namespace {

// trunc(own * w + (1 - w) * neighbour) of two 16-bit channels, exactly: with w = W / 2^53
// (a double in [1/2, 1] is a whole multiple of 2^-53) it is neighbour + floor(d W / 2^53)
// for d = own - neighbour, and d W (70 bits) is taken in two parts of 64. The 80-bit
// formula rounds the 69-bit products of 16-bit channels, which could take a flat colour
// one level down; for 8-bit channels, where it is exact, the two agree (BlendColors).
std::uint32_t BlendChannel(std::uint32_t own, std::uint32_t neighbour, std::uint64_t scaled) {
    const std::int64_t d = std::int64_t{own} - std::int64_t{neighbour};
    const auto high = static_cast<std::int64_t>(scaled >> 26);
    const auto low = static_cast<std::int64_t>(scaled & ((std::uint64_t{1} << 26) - 1));
    // floor((d high 2^26 + d low) / 2^53), the inner floor nested; >> floors in C++20.
    const std::int64_t share = (d * high + (d * low >> 26)) >> 27;
    return static_cast<std::uint32_t>(std::int64_t{neighbour} + share);
}

} // namespace

KeptPixel BlendKept(KeptPixel own, KeptPixel neighbour, double weight, std::uint32_t channelMax) {
    const Extended w = weight;
    const std::uint32_t ownAlpha = KeptChannel(own, 3);
    const std::uint32_t otherAlpha = KeptChannel(neighbour, 3);
    std::uint32_t channels[4] = {0, 0, 0, ownAlpha};
    if (ownAlpha == otherAlpha && weight >= 0.5 && weight <= 1.0) {
        const auto scaled = static_cast<std::uint64_t>(weight * 0x1p53);
        for (int c = 0; c < 3; ++c)
            channels[c] = BlendChannel(KeptChannel(own, c), KeptChannel(neighbour, c), scaled);
    } else if (ownAlpha == otherAlpha) {
        for (int c = 0; c < 3; ++c)
            channels[c] = static_cast<std::uint32_t>(KeptChannel(own, c) * w +
                                                     (1 - w) * KeptChannel(neighbour, c));
    } else {
        const Extended alpha = ownAlpha * w + (1 - w) * otherAlpha;
        channels[3] = static_cast<std::uint32_t>(alpha + 0.5L);
        for (int c = 0; c < 3 && alpha > 0; ++c) {
            const Extended premultiplied =
                Extended(KeptChannel(own, c)) * ownAlpha * w +
                (1 - w) * (Extended(KeptChannel(neighbour, c)) * otherAlpha);
            channels[c] =
                std::min(static_cast<std::uint32_t>(premultiplied / alpha + 0.5L), channelMax);
        }
    }
    return MakeKeptPixel(channels[0], channels[1], channels[2], channels[3]);
}

KeptPixel KeptSample(const THandyBitmap& picture, SourcePosition p, bool smoothing,
                     std::uint32_t channelMax) {
    const auto ix = static_cast<std::int32_t>(p.SX);
    const auto iy = static_cast<std::int32_t>(p.SY);
    const KeptPixel own = KeptPixelAt(picture, ix, iy);
    if (!smoothing)
        return own;
    const EdgeChoice edge = ChooseEdge(p.SX - ix, p.SY - iy);
    if (edge.centre)
        return own;
    const std::int32_t nx = std::clamp(ix + edge.dx, 0, std::max(picture.biWidth() - 1, 0));
    const std::int32_t ny = std::clamp(iy + edge.dy, 0, std::max(picture.biHeight() - 1, 0));
    return BlendKept(own, KeptPixelAt(picture, nx, ny), edge.weight, channelMax);
}

} // namespace slanter
