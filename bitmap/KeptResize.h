#pragma once

#include "bitmap/AreaWeights.h"

namespace slanter {

class THandyBitmap;

// The kept plane of an area-averaged picture (AreaResize): each new pixel's opacity the
// mean of the old ones under it, its colours averaged premultiplied, so that the colour
// of a clear pixel never tints its opaque neighbours; both rounded to nearest. The sums
// are whole numbers within 64 bits (the weights add up to the old picture's area, below
// 2^31, times two channels of 16 bits). `result` has its new size already; nothing is
// kept for a source that keeps no pixels. False when memory runs out.
bool AreaResizeKept(const THandyBitmap& source, const AxisWeights& across, const AxisWeights& down,
                    THandyBitmap& result);

} // namespace slanter
