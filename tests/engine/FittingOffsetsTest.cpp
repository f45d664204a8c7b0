#include <algorithm>
#include <numeric>
#include <set>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/FittingOffsets.h"

namespace slanter {
namespace {

// The reduction as first written: the smallest k that divides i and makes (d + j) * k a
// multiple of i cuts a to a * k div i; an offset j >= 2 that divides i cuts b to b div j.
CandidateExtents PlainExtents(std::int64_t d, std::int64_t i, std::int64_t j, std::int64_t a,
                              std::int64_t b) {
    for (std::int64_t k = 1; k < i; ++k) {
        if (i % k == 0 && ((d + j) * k) % i == 0) {
            a = a * k / i;
            break;
        }
    }
    if (j >= 2 && i % j == 0)
        b /= j;
    return {a, b};
}

TEST(FittingOffsets, ReducedExtentsMatchTheSearchForTheSmallestFactor) {
    for (std::int64_t d = 1; d <= 13; ++d)
        for (std::int64_t i = 1; i <= 72; ++i)
            for (std::int64_t j = 1; j < i; ++j) {
                const CandidateExtents plain = PlainExtents(d, i, j, 98765, 4321);
                const CandidateExtents reduced = ReducedExtents(d, i, j, 98765, 4321);
                ASSERT_EQ(reduced.along, plain.along) << d << " " << i << " " << j;
                ASSERT_EQ(reduced.across, plain.across) << d << " " << i << " " << j;
            }
}

// Small limits put the extents on both sides of the limit, cut and uncut.
TEST(FittingOffsets, ExactlyTheFittingOffsetsAreVisitedInAscendingOrder) {
    for (std::int64_t d = 1; d <= 9; ++d)
        for (std::int64_t i = 1; i <= 96; ++i)
            for (const auto& [a0, b0] : {std::pair{5, 7}, std::pair{40, 7}, std::pair{200, 3},
                                         std::pair{7, 45}, std::pair{90, 130}, std::pair{20, 20},
                                         std::pair{21, 21}, std::pair{1000, 1000}}) {
                std::vector<std::int64_t> expected;
                for (std::int64_t j = 1; j < i; ++j) {
                    const CandidateExtents extents = ReducedExtents(d, i, j, a0, b0);
                    if (extents.along <= 20 && extents.across <= 20)
                        expected.push_back(j);
                }
                std::vector<std::int64_t> visited;
                ForEachFittingOffset(d, i, a0, b0, 20, [&](std::int64_t j) {
                    visited.push_back(j);
                    return true;
                });
                ASSERT_EQ(visited, expected) << d << " " << i << " " << a0 << " " << b0;
            }
}

TEST(FittingOffsets, AVisitAnsweringFalseEndsTheWalk) {
    std::vector<std::int64_t> visited;
    ForEachFittingOffset(1, 50, 5, 5, 20, [&](std::int64_t j) {
        visited.push_back(j);
        return j < 3;
    });
    EXPECT_EQ(visited, (std::vector<std::int64_t>{1, 2, 3}));
}

TEST(FittingOffsets, DividingOffsetsHoldEveryCandidateThatCanFitAndNoOther) {
    for (std::int64_t d = 1; d <= 7; ++d)
        for (const std::int64_t leastCut : {2, 3, 5}) {
            const std::int64_t lowest = 30;
            const std::int64_t highest = 400;
            const std::int64_t mostQuotient = 24;
            std::set<std::pair<std::int64_t, std::int64_t>> needed;
            for (std::int64_t i = lowest; i <= highest; ++i)
                for (std::int64_t j = 2; j < i; ++j)
                    if (i % j == 0 && i / j <= mostQuotient && std::gcd(d, j) == 1 &&
                        std::gcd(d + j, i) >= leastCut)
                        needed.insert({i, j});
            const auto found = DividingOffsets(d, lowest, highest, leastCut, mostQuotient);
            for (const auto& candidate : needed)
                EXPECT_TRUE(std::binary_search(found.begin(), found.end(), candidate))
                    << d << ": " << candidate.first << ", " << candidate.second;
            for (std::size_t k = 0; k < found.size(); ++k) {
                const auto [i, j] = found[k];
                EXPECT_TRUE(i >= lowest && i <= highest && j >= 2 && i % j == 0 && i / j >= 2 &&
                            i / j <= mostQuotient);
                if (k > 0) {
                    EXPECT_LT(found[k - 1], found[k]);
                }
            }
        }
}

} // namespace
} // namespace slanter
