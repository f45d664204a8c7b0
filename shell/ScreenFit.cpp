#include "shell/ScreenFit.h"

#include "shell/PlacementFit.h"

namespace slanter {

ScreenRect SplashPlace(int screenWidth, int screenHeight, int width, int height) {
    // Division truncates toward zero, also for a window larger than the screen.
    return {(screenWidth - width) / 3, (screenHeight - height) / 3, width, height};
}

ScreenRect FitInside(ScreenRect frame, ScreenRect area) {
    if (area.width <= 0 || area.height <= 0)
        return frame;
    // The same rule as for a stored placement, whose 64-bit sums cannot overflow.
    const PlacementRect fitted = FitPlacement({frame.left, frame.top, frame.width, frame.height},
                                              {area.left, area.top, area.width, area.height}, 1, 1);
    // Within the area, so each value is again an int.
    return {static_cast<int>(fitted.left), static_cast<int>(fitted.top),
            static_cast<int>(fitted.width), static_cast<int>(fitted.height)};
}

} // namespace slanter
