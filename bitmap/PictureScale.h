#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/Point.h"

namespace slanter {

// The size the user asks a picture to take, as both front ends take it: a percentage of
// both sides, a width with the height following, a height with the width following, or
// both sides.
struct ScaleRequest {
    enum class Kind { Percent, Width, Height, Both };
    Kind kind = Kind::Percent;
    // Percent: the percentage as an exact fraction, numerator / denominator.
    std::int64_t numerator = 100;
    std::int64_t denominator = 1;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// "50%", "12.5%", "1920x", "x1080" or "1920x1080" (sides as whole numbers, a percentage
// with up to four decimals, above 0 and at most 10000%); nothing for anything else.
std::optional<ScaleRequest> ParseScale(const std::string& text);

// The side that follows another one in proportion: `side` of the other side scaled as
// `changed` is to `original`, rounded to nearest (halves up), at least 1.
std::int32_t FollowingSide(std::int64_t side, std::int64_t changed, std::int64_t original);

// `percent` of side (numerator / denominator percent), rounded to nearest, at least 1.
std::int32_t PercentOfSide(std::int64_t side, std::int64_t numerator, std::int64_t denominator);

// The new size of a picture of size `from`; nothing when `from` has no pixels or the size
// asked for is past what a working picture can hold (ScaledSizeFits).
std::optional<TPoint> ScaledSize(const ScaleRequest& request, TPoint from);

// Whether a 24-bit working picture of this size fits the bitmap store and its file.
bool ScaledSizeFits(TPoint size);

} // namespace slanter
