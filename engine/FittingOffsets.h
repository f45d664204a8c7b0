#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace slanter {

// The whole-number side of the pattern search: which offsets j of a candidate (d, i, j)
// can give a tile whose extents both stay within a limit. The search asks these before
// it computes a candidate, so that no candidate whose tile cannot fit is tried; the
// candidates that can fit are visited in the search's own order, ascending j within an
// ascending i, which keeps the table the search builds unchanged.

// The extents of candidate (d, i, j), j >= 1, from the unreduced extents a0 = Trunc(cos t
// * E) and b0 = Trunc(sin t * E). The smallest k in 1..i-1 that divides i and makes
// (d + j) * k a multiple of i is i / gcd(d + j, i) when that gcd exceeds 1 (none
// otherwise), so a is cut to a0 * k div i in one step.
struct CandidateExtents {
    std::int64_t along = 0;  // a
    std::int64_t across = 0; // b
};
CandidateExtents ReducedExtents(std::int64_t d, std::int64_t i, std::int64_t j, std::int64_t a0,
                                std::int64_t b0);

// Calls visit(j) for every j in 1..i-1, ascending, whose ReducedExtents both stay within
// `most`, and for no other; stops early when visit answers false.
void ForEachFittingOffset(std::int64_t d, std::int64_t i, std::int64_t a0, std::int64_t b0,
                          std::int64_t most, const std::function<bool(std::int64_t)>& visit);

// The candidates (i, j) with lowestCount <= i <= highestCount that a count too large for an
// unreduced across extent leaves: j >= 2 divides i, and gcd(d + j, i / j) has a divisor of
// at least leastCut, with i / j at most mostQuotient. Every fitting candidate of those
// counts whose gcd(d, j) is 1 is among them. Sorted by i, then j, each once.
std::vector<std::pair<std::int64_t, std::int64_t>>
DividingOffsets(std::int64_t d, std::int64_t lowestCount, std::int64_t highestCount,
                std::int64_t leastCut, std::int64_t mostQuotient);

} // namespace slanter
