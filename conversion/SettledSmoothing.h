#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "bitmap/KeptLayer.h"

namespace slanter {

// The smoothed blend's fast way, a row of mapped positions at a time: what ChooseEdge and
// BlendColors give for each position known to within a bound, where the bound settles it.

// The blend's weight as a whole number of 2^-kWeightBits: fine enough that a weight
// known to within the mapping's bound rarely leaves a channel unsettled, coarse enough
// that a channel's sum and margin stay within 31 bits.
inline constexpr int kWeightBits = 22;

// The own pixel's weight at (x, y), where ChooseEdge settles it outside the centre zone:
// 1.5 - 2 max(|a|, |b|), (a, b) the position from the cell's centre (see SettleEdges).
// It errs by twice the position's error and a rounding or two.
inline double SettledWeight(double x, double y) {
    const double a = (x - static_cast<double>(static_cast<std::int32_t>(x))) - 0.5;
    const double b = (y - static_cast<double>(static_cast<std::int32_t>(y))) - 0.5;
    return 1.5 - 2 * std::max(std::fabs(a), std::fabs(b));
}

// For each position, what ChooseEdge would choose, where the bound settles it: the
// cell holding it (its offset in the cells) or -1, the neighbour to blend with (the cell
// itself in the centre zone and where the border clamps it, -1 with the cell) and the
// own pixel's weight in units of 2^-kWeightBits, at most one.
//
// Measured from the cell's centre, (a, b) = (fx, fy) - 1/2, ChooseEdge's borders are
// |a| = 1/4, |b| = 1/4 and the diagonals |a| = |b|, the cell's own edges |a| = |b| = 1/2;
// outside the centre zone the neighbour lies beyond the larger of |a| and |b|, on its
// side, and the weight, 2.5 - 2 f or 0.5 + 2 f, is 1.5 - 2 max(|a|, |b|). a and b are
// taken in whole units of 2^-30, rounded down, so that the tests run on 32-bit integers,
// twice as many at a time as on doubles: each errs by the bound and a unit, and every
// border must lie further than that from the position (a diagonal's distance along an
// axis counts half). Branch-free, so that the loop vectorises.
void SettleEdges(const double* sx, const double* sy, std::int32_t count, double bound,
                 std::int32_t width, std::int32_t height, std::int32_t* cells,
                 std::int32_t* neighbours, std::int32_t* weights);

// The margin for BlendSettled in units of the weight, for positions within `bound`:
// the weight errs by twice the bound, a 2^-7 of a unit from the position's rounding, a
// unit from its own and a double's rounding of the exact weight; 2^kWeightBits units
// settle nothing.
std::int32_t WeightMargin(double bound);

// The blend of each pair of colours, BlendColors(own, other, w) with w = W / 2^kWeightBits
// known to within `margin` units of W, or -1 where that does not settle a channel or a
// colour lies outside 24 bits. A channel's exact value lies strictly within its
// difference times the margin of y * 2^kWeightBits + (x - y) * W, so it is settled
// where both ends of that interval have the same whole part; equal channels (the centre
// zone, a clamped neighbour) settle whatever the weight. All in 32-bit integers, so that
// the loop vectorises.
void BlendSettled(const std::int32_t* own, const std::int32_t* other, const std::int32_t* weights,
                  std::int32_t count, std::int32_t margin, std::int32_t* blended);

// The kept blend's weight in units of 2^-kKeptWeightBits: a 16-bit difference times a
// weight or its margin stays within 57 bits.
inline constexpr int kKeptWeightBits = 40;
inline constexpr double kKeptWeightUnit = 0x1p40;

// The margin for BlendKeptSettled in those units, for positions within `bound`; a whole
// weight's worth settles nothing.
std::int64_t KeptWeightMargin(double bound);

// BlendKept(own, neighbour, w) for w in [1/2, 1] known as SettledWeight `weight` to within
// `margin`, where that settles it: for two pixels of one opacity each channel is the
// neighbour's plus floor(d w), d the difference, settled where d times the weight's
// interval holds no whole number. False for pixels of unequal opacity, which blend
// premultiplied, and where a channel is not settled.
bool BlendKeptSettled(KeptPixel own, KeptPixel neighbour, double weight, std::int64_t margin,
                      KeptPixel& blended);

} // namespace slanter
