#include "engine/ExtendedMath.h"

#include <cmath>

namespace slanter {

Extended ArcSin(Extended x) {
    if (x == 0)
        return 0;
    if (x >= 1)
        return kHalfPi;
    if (x <= -1)
        return -kHalfPi;
    return std::atan2(x / std::sqrt(1 - x * x), 1.0L);
}

Extended Tan(Extended x) {
    const Extended sine = std::sin(x);
    if (sine == 0)
        return 0;
    const Extended cosine = std::cos(x);
    if (cosine == 0)
        return sine > 0 ? 1e100L : -1e100L;
    return sine / cosine;
}

} // namespace slanter
