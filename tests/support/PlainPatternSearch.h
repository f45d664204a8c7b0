#pragma once

#include <cstdint>
#include <vector>

#include "engine/Point.h"

namespace slanter {
class TSlanter;
}

namespace slanter::testing {

struct PatternEntry {
    double angle = 0;
    std::int32_t area = 0;
    double slide = 0;
    TPoint size;
    bool operator==(const PatternEntry&) const = default;
};

// The pattern search written out as first defined: every candidate (d, i, j) of every
// multiplier up to lastMultiplier computed and offered in turn, the table sorted at the
// end. Slow for long pictures; the reference the engine's bounded search must equal.
std::vector<PatternEntry> PlainPatternSearch(std::int32_t width, std::int32_t height,
                                             bool horizontal, bool sortOnAngle,
                                             std::int64_t lastMultiplier);

// The engine's table in its order.
std::vector<PatternEntry> TableOf(const TSlanter& engine);

} // namespace slanter::testing
