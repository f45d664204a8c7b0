#include "preview/ViewExitTracker.h"

#include "engine/Extended.h"

namespace slanter {

int ViewExitTracker::SidesBeyond(PreviewVector corner) const {
    const Extended pu = corner.u;
    const Extended pv = corner.v;
    const PreviewVector& U = space_.U;
    const PreviewVector& Q = space_.Q;
    const Extended us[4] = {pu, pu + U.u, pu + Q.u, pu + U.u + Q.u};
    const Extended vs[4] = {pv, pv + U.v, pv + Q.v, pv + U.v + Q.v};
    const Extended R = space_.R;
    bool left = true, below = true, right = true, above = true;
    for (int k = 0; k < 4; ++k) {
        left = left && us[k] < -R;
        below = below && vs[k] < -R;
        right = right && us[k] > R;
        above = above && vs[k] > R;
    }
    return (left ? kExitLeft : 0) | (below ? kExitBelow : 0) | (right ? kExitRight : 0) |
           (above ? kExitAbove : 0);
}

bool ViewExitTracker::RectPassedView(bool reset, PreviewVector corner) {
    if (reset) {
        exitSides_ = 0;
        return false;
    }
    const int sides = SidesBeyond(corner);
    if (sides == 0)
        return false;
    const bool opposite = ((sides & kExitLeft) && (exitSides_ & kExitRight)) ||
                          ((sides & kExitBelow) && (exitSides_ & kExitAbove)) ||
                          ((sides & kExitRight) && (exitSides_ & kExitLeft)) ||
                          ((sides & kExitAbove) && (exitSides_ & kExitBelow));
    if (exitSides_ != 0 && !opposite)
        return false;
    exitSides_ = sides;
    return true;
}

} // namespace slanter
