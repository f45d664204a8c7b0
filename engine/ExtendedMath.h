#pragma once

#include "engine/Extended.h"

namespace slanter {

// Arc sine through the arc tangent, with exact answers at 0 and beyond +-1.
Extended ArcSin(Extended x);

// Tangent that never divides by zero: +-1e100 where the cosine vanishes.
Extended Tan(Extended x);

} // namespace slanter
