#include "shell/FrameFit.h"

namespace slanter {

PlacementRect FitFramedPlacement(const PlacementRect& client, FrameMargins margins,
                                 const PlacementRect& available, std::int64_t leastWidth,
                                 std::int64_t leastHeight) {
    if (available.width <= 0 || available.height <= 0)
        return client;
    const std::int64_t aroundWidth = std::int64_t{margins.left} + margins.right;
    const std::int64_t aroundHeight = std::int64_t{margins.top} + margins.bottom;
    const PlacementRect frame{client.left - margins.left, client.top - margins.top,
                              client.width + aroundWidth, client.height + aroundHeight};
    const PlacementRect fitted =
        FitPlacement(frame, available, leastWidth + aroundWidth, leastHeight + aroundHeight);
    return {fitted.left + margins.left, fitted.top + margins.top, fitted.width - aroundWidth,
            fitted.height - aroundHeight};
}

} // namespace slanter
