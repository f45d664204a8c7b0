#include <climits>

#include <gtest/gtest.h>

#include "shell/PlacementFit.h"

namespace slanter {
namespace {

// A 1920 x 1080 screen with a 40-pixel panel along its top.
constexpr PlacementRect kArea{0, 40, 1920, 1040};

PlacementRect Fit(PlacementRect stored, std::int64_t least = 100) {
    return FitPlacement(stored, kArea, least, least);
}

TEST(PlacementFit, APlacementWithinTheAreaIsKept) {
    EXPECT_EQ(Fit({30, 60, 320, 210}), (PlacementRect{30, 60, 320, 210}));
    EXPECT_EQ(Fit({0, 40, 1920, 1040}), (PlacementRect{0, 40, 1920, 1040}));
}

TEST(PlacementFit, SizesLargerThanTheAreaShrinkToIt) {
    EXPECT_EQ(Fit({0, 0, INT32_MAX, INT32_MAX}), (PlacementRect{0, 40, 1920, 1040}));
    EXPECT_EQ(Fit({500, 500, 4000, 300}), (PlacementRect{0, 500, 1920, 300}));
}

TEST(PlacementFit, PositionsOffTheAreaMoveTheLeastDistanceIntoIt) {
    // Past the right and bottom edges: the window ends at them.
    EXPECT_EQ(Fit({1800, 1000, 320, 210}), (PlacementRect{1600, 870, 320, 210}));
    // Above the panel and left of the screen: it starts at the area's corner.
    EXPECT_EQ(Fit({-50, 0, 320, 210}), (PlacementRect{0, 40, 320, 210}));
    for (const std::int64_t far : {std::int64_t{INT32_MIN}, std::int64_t{INT32_MAX}}) {
        const PlacementRect fitted = Fit({far, far, INT32_MAX, INT32_MAX});
        EXPECT_EQ(fitted, (PlacementRect{0, 40, 1920, 1040})) << far;
        const PlacementRect small = Fit({far, far, 320, 210});
        EXPECT_TRUE(small.left >= 0 && small.left + 320 <= 1920) << far;
        EXPECT_TRUE(small.top >= 40 && small.top + 210 <= 1080) << far;
    }
}

TEST(PlacementFit, SizesBelowTheLeastGrowToItAndTheLeastWinsOverTheArea) {
    EXPECT_EQ(Fit({10, 50, 0, -7}), (PlacementRect{10, 50, 100, 100}));
    EXPECT_EQ(Fit({10, 50, 0, 0}, 0), (PlacementRect{10, 50, 1, 1}));
    EXPECT_EQ(Fit({300, 300, 10, 10}, 2000), (PlacementRect{0, 40, 2000, 2000}));
}

} // namespace
} // namespace slanter
