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
        weights[i] = static_cast<std::int32_t>((1.5 - 2 * farthest) * (1 << kWeightBits));
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

std::int32_t WeightMargin(double bound) {
    const double weightBound = 2 * (bound + 0x1p-50) + 0x1p-50;
    return static_cast<std::int32_t>(
        std::min(std::floor(weightBound * (1 << kWeightBits)) + 2, double(1 << kWeightBits)));
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

} // namespace slanter
