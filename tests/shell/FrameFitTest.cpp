#include <gtest/gtest.h>

#include "shell/FrameFit.h"

namespace slanter {
namespace {

// A 1600 x 1000 screen, and the frame openbox draws: a 20-pixel title bar above, a
// 5-pixel edge below and 1 pixel on either side.
constexpr PlacementRect kScreen{0, 0, 1600, 1000};
constexpr FrameMargins kOpenbox{1, 20, 1, 5};

TEST(FrameFit, AClientAsLargeAsTheScreenShrinksUntilItsTitleBarIsOnIt) {
    // A 4000 x 3000 photo's window, placed at the screen's corner.
    EXPECT_EQ(FitFramedPlacement({0, 0, 4000, 3000}, kOpenbox, kScreen, 100, 1),
              (PlacementRect{1, 20, 1598, 975}));
}

TEST(FrameFit, AStoredPlaceOffTheScreenComesBackWithTheWholeFrame) {
    EXPECT_EQ(FitFramedPlacement({2000, 1400, 300, 200}, kOpenbox, kScreen, 1, 1),
              (PlacementRect{1299, 795, 300, 200}));
    EXPECT_EQ(FitFramedPlacement({-500, -300, 201, 201}, kOpenbox, kScreen, 1, 1),
              (PlacementRect{1, 20, 201, 201}));
}

TEST(FrameFit, WithoutAFrameTheClientIsFittedAlone) {
    EXPECT_EQ(FitFramedPlacement({-5, 990, 300, 200}, {}, kScreen, 1, 1),
              (PlacementRect{0, 800, 300, 200}));
}

} // namespace
} // namespace slanter
