#include "conversion/DeviceCover.h"

#include <cmath>

namespace slanter {

namespace {

// The rectangle from the scaled corner rounded down to the scaled far edge rounded up.
template <class Scale>
ZoomedCell Cover(const ZoomedCell& from, Scale scale) {
    const auto down = [&](std::int32_t edge) {
        return static_cast<std::int32_t>(std::floor(scale(edge)));
    };
    const auto up = [&](std::int32_t edge) {
        return static_cast<std::int32_t>(std::ceil(scale(edge)));
    };
    const TPoint topLeft{down(from.topLeft.X), down(from.topLeft.Y)};
    const TPoint farEdge{up(from.topLeft.X + from.size.X), up(from.topLeft.Y + from.size.Y)};
    return {topLeft, {farEdge.X - topLeft.X, farEdge.Y - topLeft.Y}};
}

} // namespace

ZoomedCell LogicalCover(const ZoomedCell& device, double ratio) {
    return Cover(device, [ratio](std::int32_t edge) { return edge / ratio; });
}

ZoomedCell DeviceCover(const ZoomedCell& logical, double ratio) {
    return Cover(logical, [ratio](std::int32_t edge) { return edge * ratio; });
}

} // namespace slanter
