#pragma once

#include "bitmap/HandyBitmap.h"

namespace slanter::testing {

// A record of width x height at bitCount bits whose cells reach every value the depth
// stores: indexed with a palette of MaxColors() distinct colours below 16 bits, colour
// values with the low three bits of each channel clear at 16 bits, any colour at 24.
THandyBitmap PatternedBitmap(int bitCount, int width, int height);

} // namespace slanter::testing
