#include <gtest/gtest.h>

#include "conversion/ResultPlacement.h"

namespace slanter {
namespace {

TEST(ResultPlacement, TheLeftEdgeLiesInTheSecondQuarterAndTheTopInTheUpperHalf) {
    // a = (1024 - 200) div 2 = 412; the top below (768 - 100) div 2 = 334.
    std::vector<int> asked;
    const auto lowest = [&](int n) {
        asked.push_back(n);
        return 0;
    };
    EXPECT_EQ(ResultWindowPlace({1024, 768}, lowest), (TPoint{412, 0}));
    EXPECT_EQ(asked, (std::vector<int>{412, 334}));
    const auto highest = [](int n) { return n - 1; };
    EXPECT_EQ(ResultWindowPlace({1024, 768}, highest), (TPoint{823, 333}));
}

TEST(ResultPlacement, TheClockSeededNumbersStayInRange) {
    const RandomBelow random = ClockSeededRandom();
    for (int k = 0; k < 200; ++k) {
        const int value = random(7);
        EXPECT_GE(value, 0);
        EXPECT_LT(value, 7);
    }
    // A screen too small for the formula still gives a place: no range to draw from.
    EXPECT_EQ(random(0), 0);
    EXPECT_EQ(random(-3), 0);
}

} // namespace
} // namespace slanter
