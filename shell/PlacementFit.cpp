#include "shell/PlacementFit.h"

#include <algorithm>

namespace slanter {

namespace {

// One axis: the side within [least, room], then the start within the area.
void FitAxis(std::int64_t& start, std::int64_t& side, std::int64_t areaStart, std::int64_t room,
             std::int64_t least) {
    least = std::max<std::int64_t>(least, 1);
    side = std::max(std::min(side, room), least);
    const std::int64_t lastStart = std::max(areaStart, areaStart + room - side);
    start = std::clamp(start, areaStart, lastStart);
}

} // namespace

PlacementRect FitPlacement(const PlacementRect& stored, const PlacementRect& available,
                           std::int64_t leastWidth, std::int64_t leastHeight) {
    PlacementRect fitted = stored;
    FitAxis(fitted.left, fitted.width, available.left, available.width, leastWidth);
    FitAxis(fitted.top, fitted.height, available.top, available.height, leastHeight);
    return fitted;
}

} // namespace slanter
