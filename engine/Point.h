#pragma once

#include <cstdint>

namespace slanter {

// A picture size, a tile size or a result pixel.
struct TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A position in the source picture, in pixel units; pixel (trunc SX, trunc SY) holds it.
struct SourcePosition {
    double SX = 0.0;
    double SY = 0.0;
};

} // namespace slanter
