#include "shell/ScreenFit.h"

#include <algorithm>

namespace slanter {

namespace {

// One side: the span [start, start + length) shortened to `room` and moved into
// [from, from + room).
void FitSpan(int& start, int& length, int from, int room) {
    length = std::min(length, room);
    start = std::clamp(start, from, from + room - length);
}

} // namespace

ScreenRect FitInside(ScreenRect frame, ScreenRect area) {
    if (area.width <= 0 || area.height <= 0)
        return frame;
    FitSpan(frame.left, frame.width, area.left, area.width);
    FitSpan(frame.top, frame.height, area.top, area.height);
    return frame;
}

} // namespace slanter
