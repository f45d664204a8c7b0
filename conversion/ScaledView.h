#pragma once

#include <cstdint>
#include <vector>

#include "engine/Point.h"

namespace slanter {

// A picture shown at another size, reduced or enlarged. Each screen pixel shows the one
// picture pixel under its centre, so no colour is ever mixed: at the picture's own size
// every pixel is the picture's, and enlarged n times each pixel fills n x n screen pixels.

// The picture pixel that screen pixel `screen` shows along one axis, for `picture` pixels
// shown `shown` screen pixels long: trunc((2 screen + 1) x picture / (2 shown)).
std::int32_t SampledPixel(std::int32_t screen, std::int32_t shown, std::int32_t picture);

// SampledPixel for screen pixels first .. first + count - 1, each taken modulo `period`:
// the pixel of one tile that a tiled view shows there.
std::vector<std::int32_t> SampledRun(std::int32_t first, std::int32_t count, std::int32_t shown,
                                     std::int32_t picture, std::int32_t period);

// The first screen pixel along an axis that shows picture pixel `pixel` or a later one:
// where the picture's pixels from `pixel` on begin on the screen.
std::int32_t ScreenEdge(std::int32_t pixel, std::int32_t shown, std::int32_t picture);

// The largest size with the proportions of `picture` that fits in `room` (sides truncated,
// at least 1).
TPoint FitInside(TPoint picture, TPoint room);

// `picture` at `percent` percent, each side truncated and at least 1.
TPoint ScaledSize(TPoint picture, int percent);

} // namespace slanter
