#pragma once

#include <cstdint>

namespace slanter {

// A window's rectangle as stored or as the screen offers it, in pixels.
struct PlacementRect {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool operator==(const PlacementRect&) const = default;
};

// A stored placement brought within the screen's available area before it is used: each
// side no larger than the area (and no smaller than least, the window's least size, nor
// than 1), then moved the least distance that puts the whole window inside the area. A
// least size beyond the area wins over the area; the window then starts at the area's
// left or top edge. Sizes and positions may be any 32-bit value: the work is done in 64
// bits.
PlacementRect FitPlacement(const PlacementRect& stored, const PlacementRect& available,
                           std::int64_t leastWidth, std::int64_t leastHeight);

} // namespace slanter
