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
    const double right = width;
    const double top = height;
    const double inCell = bound + 0x1p-50;
    for (std::int32_t i = 0; i < count; ++i) {
        // Truncation: a position left of or below the picture ends with |a| or |b| at
        // least 1/2, which no cell settles.
        const double ix = static_cast<double>(static_cast<std::int32_t>(sx[i]));
        const double iy = static_cast<double>(static_cast<std::int32_t>(sy[i]));
        const double a = (sx[i] - ix) - 0.5;
        const double b = (sy[i] - iy) - 0.5;
        const double across = std::fabs(a);
        const double up = std::fabs(b);
        const double farthest = std::max(across, up);
        const double nearest = std::min(std::min(std::fabs(across - 0.25), std::fabs(up - 0.25)),
                                        std::min(0.5 * std::fabs(across - up), 0.5 - farthest));
        const bool settled = (nearest > inCell) & (ix < right) & (iy < top);
        weights[i] = static_cast<std::int32_t>(SettledWeight(sx[i], sy[i]) * (1 << kWeightBits));
        // The neighbour's offset, 0 where the border clamps it or in the centre zone.
        const bool vertical = up > across;
        const double side = vertical ? b : a;
        const double along = vertical ? iy : ix;
        const double last = vertical ? top - 1 : right - 1;
        const double step = vertical ? right : 1.0;
        const double offset = farthest < 0.25 ? 0.0
                              : side > 0      ? (along < last ? step : 0.0)
                                              : (along > 0 ? -step : 0.0);
        const double own = iy * right + ix;
        cells[i] = static_cast<std::int32_t>(settled ? own : -1.0);
        neighbours[i] = static_cast<std::int32_t>(settled ? own + offset : -1.0);
    }
}

namespace {

// The most SettledWeight errs by for positions within `bound`: twice the bound and a
// rounding.
double WeightBound(double bound) {
    return 2 * (bound + 0x1p-50) + 0x1p-50;
}

} // namespace

std::int32_t WeightMargin(double bound) {
    return static_cast<std::int32_t>(std::min(
        std::floor(WeightBound(bound) * (1 << kWeightBits)) + 2, double(1 << kWeightBits)));
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
