#pragma once

#include "conversion/ResultZoom.h"

namespace slanter {

// On a display of `ratio` device pixels to a logical one, the result is laid out in device
// pixels while the toolkit places windows in logical ones; these convert rectangles
// (corner and size) between the two without losing a pixel at either edge.

// The logical rectangle that covers the device pixels of `device`.
ZoomedCell LogicalCover(const ZoomedCell& device, double ratio);
// The device pixels that the logical rectangle `logical` touches.
ZoomedCell DeviceCover(const ZoomedCell& logical, double ratio);

} // namespace slanter
