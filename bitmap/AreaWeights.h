#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace slanter {

// One new pixel's share of the old ones along a side: old pixels first .. first + count - 1
// with weights in units of 1 / newSide of an old pixel. The weights of one new pixel add up
// to oldSide.
struct Footprint {
    std::int32_t first = 0;
    std::int32_t count = 0;
    std::size_t weights = 0; // offset of the first weight in AxisWeights::weights
};

struct AxisWeights {
    std::vector<Footprint> pixels;
    std::vector<std::int64_t> weights;
};

// New pixel i covers [i * oldSide, (i + 1) * oldSide) and old pixel j covers
// [j * newSide, (j + 1) * newSide), both in units of 1 / newSide of an old pixel.
AxisWeights Weigh(std::int64_t oldSide, std::int64_t newSide);

} // namespace slanter
