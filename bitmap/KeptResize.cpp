#include "bitmap/KeptResize.h"

#include "bitmap/HandyBitmap.h"
#include "bitmap/KeptPixels.h"

namespace slanter {

namespace {

// sum / count to nearest, without the overflow of 2 sum + count.
std::uint64_t Nearest(std::uint64_t sum, std::uint64_t count) {
    const std::uint64_t quotient = sum / count;
    return quotient + (sum % count >= count - sum % count ? 1 : 0);
}

} // namespace

bool AreaResizeKept(const THandyBitmap& source, const AxisWeights& across, const AxisWeights& down,
                    THandyBitmap& result) {
    if (!KeepsPixels(source))
        return true;
    const KeptLayer& from = source.Kept();
    const int bits = from.HasPixels() ? from.ChannelBits() : 8;
    KeptLayer& to = result.Kept();
    if (!to.ResetPixels(result.biWidth(), result.biHeight(), bits, KeepsTransparency(source)))
        return false;
    const std::uint64_t area = static_cast<std::uint64_t>(source.biWidth()) *
                               static_cast<std::uint64_t>(source.biHeight());
    KeptPixel* out = to.Pixels();
    for (const Footprint& rows : down.pixels) {
        for (const Footprint& columns : across.pixels) {
            std::uint64_t alpha = 0;
            std::uint64_t premultiplied[3] = {0, 0, 0};
            for (std::int32_t j = 0; j < rows.count; ++j) {
                const auto wy = static_cast<std::uint64_t>(down.weights[rows.weights + j]);
                for (std::int32_t i = 0; i < columns.count; ++i) {
                    const std::uint64_t w =
                        wy * static_cast<std::uint64_t>(across.weights[columns.weights + i]);
                    const KeptPixel p = KeptPixelAt(source, columns.first + i, rows.first + j);
                    const std::uint64_t a = w * KeptChannel(p, 3);
                    alpha += a;
                    for (int c = 0; c < 3; ++c)
                        premultiplied[c] += a * KeptChannel(p, c);
                }
            }
            std::uint32_t channels[3] = {0, 0, 0};
            for (int c = 0; c < 3 && alpha != 0; ++c)
                channels[c] = static_cast<std::uint32_t>(Nearest(premultiplied[c], alpha));
            *out++ = MakeKeptPixel(channels[0], channels[1], channels[2],
                                   static_cast<std::uint32_t>(Nearest(alpha, area)));
        }
    }
    return true;
}

} // namespace slanter
