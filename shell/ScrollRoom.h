#pragma once

#include "engine/Point.h"
#include "shell/ViewKeys.h"

namespace slanter {

// The room a scrolled view leaves its canvas: the view's whole size, bars included, less
// the bars that show, each `bars` thick (the vertical bar's width, the horizontal one's
// height). A bar shows when the canvas is longer than the room beside the other bar.
TPoint ScrolledRoom(TPoint canvas, TPoint whole, TPoint bars);

// How far a canvas can be scrolled in that room: to the right and down, at least 0.
ScrollPosition LastScroll(TPoint canvas, TPoint room);

} // namespace slanter
