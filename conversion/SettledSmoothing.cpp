#include "conversion/SettledSmoothing.h"

#include <algorithm>
#include <cmath>

#include "engine/VectorClones.h"

namespace slanter {

SLANTER_VECTOR_CLONES
void SettleEdges(const double* __restrict sx, const double* __restrict sy, std::int32_t count,
                 double bound, std::int32_t width, std::int32_t height,
                 std::int32_t* __restrict cells, std::int32_t* __restrict neighbours,
                 std::int32_t* __restrict weights) {
    constexpr int kUnitBits = 30;
    constexpr double kUnit = 1 << kUnitBits;
    constexpr std::int32_t kHalf = 1 << (kUnitBits - 1);
    constexpr std::int32_t kQuarter = 1 << (kUnitBits - 2);
    // What a and b may err by, in units, less one; half a cell's worth settles nothing.
    const auto inCell =
        static_cast<std::int32_t>(std::min(std::floor(bound * kUnit) + 1, double(kHalf)));
    for (std::int32_t i = 0; i < count; ++i) {
        // Truncation: a position left of or below the picture ends with |a| or |b| at
        // least 1/2, which no cell settles. x - ix is exact, its scaling too.
        const auto ix = static_cast<std::int32_t>(sx[i]);
        const auto iy = static_cast<std::int32_t>(sy[i]);
        const std::int32_t a = static_cast<std::int32_t>((sx[i] - ix) * kUnit) - kHalf;
        const std::int32_t b = static_cast<std::int32_t>((sy[i] - iy) * kUnit) - kHalf;
        const std::int32_t across = a < 0 ? -a : a;
        const std::int32_t up = b < 0 ? -b : b;
        const std::int32_t farthest = std::max(across, up);
        const std::int32_t diagonal = across > up ? across - up : up - across;
        const std::int32_t nearest =
            std::min(std::min(across > kQuarter ? across - kQuarter : kQuarter - across,
                              up > kQuarter ? up - kQuarter : kQuarter - up),
                     std::min(diagonal >> 1, kHalf - farthest));
        const bool settled = (nearest > inCell) & (ix < width) & (iy < height);
        // 1.5 - 2 max(|a|, |b|) in units of 2^-kWeightBits; above one only in the centre
        // zone, where no blend uses it.
        weights[i] =
            std::min((3 << (kWeightBits - 1)) - (farthest >> (kUnitBits - 1 - kWeightBits)),
                     1 << kWeightBits);
        // The neighbour's offset, 0 where the border clamps it or in the centre zone.
        const bool vertical = up > across;
        const std::int32_t side = vertical ? b : a;
        const std::int32_t along = vertical ? iy : ix;
        const std::int32_t last = vertical ? height - 1 : width - 1;
        const std::int32_t step = vertical ? width : 1;
        const std::int32_t offset = farthest < kQuarter ? 0
                                    : side > 0          ? (along < last ? step : 0)
                                                        : (along > 0 ? -step : 0);
        // Unsigned, as positions that do not settle may make any product.
        const auto own = static_cast<std::int32_t>(static_cast<std::uint32_t>(iy) *
                                                       static_cast<std::uint32_t>(width) +
                                                   static_cast<std::uint32_t>(ix));
        cells[i] = settled ? own : -1;
        neighbours[i] = settled ? own + offset : -1;
    }
}

std::int32_t WeightMargin(double bound) {
    return static_cast<std::int32_t>(
        std::min(std::floor(bound * (2 << kWeightBits)) + 3, double(1 << kWeightBits)));
}

SLANTER_VECTOR_CLONES
void BlendSettled(const std::int32_t* __restrict own, const std::int32_t* __restrict other,
                  const std::int32_t* __restrict weights, std::int32_t count, std::int32_t margin,
                  std::int32_t* __restrict blended) {
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t a = own[i];
        const std::int32_t b = other[i];
        bool settled = ((a | b) >= 0) & ((a | b) < (1 << 24));
        std::int32_t color = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const std::int32_t x = a >> shift & 255;
            const std::int32_t y = b >> shift & 255;
            const std::int32_t difference = x - y;
            const std::int32_t value = (y << kWeightBits) + difference * weights[i];
            const std::int32_t spread = (difference < 0 ? -difference : difference) * margin;
            const std::int32_t low = (value - spread) >> kWeightBits;
            settled &= low == (value + spread) >> kWeightBits;
            color |= (low & 255) << shift;
        }
        blended[i] = settled ? color : -1;
    }
}

namespace {

// What SettledWeight errs by for positions within `bound`: twice the bound and a rounding.
double WeightBound(double bound) {
    return 2 * (bound + 0x1p-50) + 0x1p-50;
}

} // namespace

std::int64_t KeptWeightMargin(double bound) {
    return static_cast<std::int64_t>(
        std::min(std::floor(WeightBound(bound) * kKeptWeightUnit) + 2, kKeptWeightUnit));
}

bool BlendKeptSettled(KeptPixel own, KeptPixel neighbour, double weight, std::int64_t margin,
                      KeptPixel& blended) {
    if (KeptChannel(own, 3) != KeptChannel(neighbour, 3) || !(weight >= 0.5 && weight <= 1.0))
        return false;
    const auto scaled = static_cast<std::int64_t>(weight * kKeptWeightUnit);
    std::uint32_t channels[4] = {0, 0, 0, KeptChannel(own, 3)};
    for (int c = 0; c < 3; ++c) {
        const std::int64_t d = std::int64_t{KeptChannel(own, c)} - KeptChannel(neighbour, c);
        const std::int64_t spread = (d < 0 ? -d : d) * margin;
        const std::int64_t low = (d * scaled - spread) >> kKeptWeightBits;
        if (low != (d * scaled + spread) >> kKeptWeightBits)
            return false;
        channels[c] = static_cast<std::uint32_t>(KeptChannel(neighbour, c) + low);
    }
    blended = MakeKeptPixel(channels[0], channels[1], channels[2], channels[3]);
    return true;
}

} // namespace slanter
