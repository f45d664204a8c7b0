#include "bitmap/AreaWeights.h"

#include <algorithm>

namespace slanter {

AxisWeights Weigh(std::int64_t oldSide, std::int64_t newSide) {
    AxisWeights axis;
    axis.pixels.resize(static_cast<std::size_t>(newSide));
    axis.weights.reserve(static_cast<std::size_t>(newSide + oldSide));
    for (std::int64_t i = 0; i < newSide; ++i) {
        const std::int64_t begin = i * oldSide;
        const std::int64_t end = begin + oldSide;
        Footprint& footprint = axis.pixels[static_cast<std::size_t>(i)];
        footprint.first = static_cast<std::int32_t>(begin / newSide);
        footprint.weights = axis.weights.size();
        for (std::int64_t j = footprint.first; j * newSide < end; ++j) {
            const std::int64_t low = std::max(begin, j * newSide);
            const std::int64_t high = std::min(end, (j + 1) * newSide);
            axis.weights.push_back(high - low);
            ++footprint.count;
        }
    }
    return axis;
}

} // namespace slanter
