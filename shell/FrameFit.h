#pragma once

#include "shell/PlacementFit.h"

namespace slanter {

// How far a window manager's frame reaches beyond a window's client rectangle on each
// side: the title bar is usually the top.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const FrameMargins&, const FrameMargins&) = default;
};

// The client rectangle `client` (as windows are placed and stored, without frame) brought
// where its frame lies wholly on the usable area `available`, title bar included: the frame
// no larger than the area, and moved no further than it must be. The least sizes are the
// client's. An empty area changes nothing.
PlacementRect FitFramedPlacement(const PlacementRect& client, FrameMargins margins,
                                 const PlacementRect& available, std::int64_t leastWidth,
                                 std::int64_t leastHeight);

} // namespace slanter
