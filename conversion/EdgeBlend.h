#pragma once

#include <cstdint>

#include "engine/Extended.h"

namespace slanter {

// How a smoothed result pixel is made from the source pixel holding its mapped point:
// in the pixel's centre zone it is the pixel itself; elsewhere the pixel is blended with
// the neighbour across the nearest edge (split by the square's two diagonals), the own
// pixel weighing w, from 1 a quarter pixel inside the edge to 1/2 on it.
struct EdgeChoice {
    bool centre = false;
    int dx = 0; // the neighbour's offset, before clamping to the picture
    int dy = 0;
    double weight = 1.0; // w, the own pixel's share
};

namespace edge_detail {

// fx + fy > 1 as 80-bit arithmetic decides it. The sum of two doubles rounded to double
// settles it unless it lies very near 1, where the extended sum is taken.
inline bool SumAboveOne(double fx, double fy) {
    const double sum = fx + fy;
    if (sum > 1.0 + 0x1p-40)
        return true;
    if (sum < 1.0 - 0x1p-40)
        return false;
    return Extended(fx) + Extended(fy) > 1;
}

} // namespace edge_detail

// fx, fy: the mapped point's position inside its pixel, each in [0, 1). Comparisons of
// doubles with these constants are exact in any precision; the weights are computed in
// extended precision and stored as doubles.
inline EdgeChoice ChooseEdge(double fx, double fy) {
    if (fx >= 0.25 && fx < 0.75 && fy >= 0.25 && fy < 0.75)
        return {true, 0, 0, 1.0};
    const bool aboveOne = edge_detail::SumAboveOne(fx, fy);
    if (fy > fx) {
        if (aboveOne)
            return {false, 0, 1, StoreDouble(2.5L - 2 * Extended(fy))};
        return {false, -1, 0, StoreDouble(0.5L + 2 * Extended(fx))};
    }
    if (aboveOne)
        return {false, 1, 0, StoreDouble(2.5L - 2 * Extended(fx))};
    return {false, 0, -1, StoreDouble(0.5L + 2 * Extended(fy))};
}

// Each channel: trunc(own * w + (1 - w) * neighbour), as 80-bit arithmetic gives it.
// Channels are bits 0-7, (value div 256) and 255, and value div 65536.
std::int32_t BlendColorsExtended(std::int32_t own, std::int32_t neighbour, double weight);

// The same, by an integer route where it is provably equal: w lies in [1/2, 1], where
// doubles are whole multiples of 2^-53, and with w = W / 2^53 every product and the sum
// of the 80-bit formula are exact for 8-bit channels (at most 62 significant bits).
inline std::int32_t BlendColors(std::int32_t own, std::int32_t neighbour, double weight) {
    constexpr int kWeightBits = 53;
    const bool bytes = own >= -1 && own < (1 << 24) && neighbour >= -1 && neighbour < (1 << 24);
    if (!bytes || !(weight >= 0.5 && weight <= 1.0))
        return BlendColorsExtended(own, neighbour, weight);
    // -1 splits into 255, 0, 0 under the channel rule.
    const std::uint32_t a = own < 0 ? 255u : static_cast<std::uint32_t>(own);
    const std::uint32_t b = neighbour < 0 ? 255u : static_cast<std::uint32_t>(neighbour);
    const auto scaled = static_cast<std::int64_t>(weight * 0x1p53);
    std::int32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::int64_t x = a >> shift & 255;
        const std::int64_t y = b >> shift & 255;
        result |= static_cast<std::int32_t>(((y << kWeightBits) + (x - y) * scaled) >> kWeightBits)
                  << shift;
    }
    return result;
}

} // namespace slanter
