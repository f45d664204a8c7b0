#include <gtest/gtest.h>

#include "shell/ScreenFit.h"

namespace slanter {
namespace {

// A 1600 x 1000 screen with a 40-pixel panel at its top, right of a 1280 x 1024 one.
constexpr ScreenRect kArea{1280, 40, 1600, 960};

TEST(ScreenFit, AWindowOnTheAreaStaysAsItIs) {
    const ScreenRect frame{1300, 100, 640, 480};
    EXPECT_EQ(FitInside(frame, kArea), frame);
    // Touching every edge is still inside.
    EXPECT_EQ(FitInside(kArea, kArea), kArea);
}

TEST(ScreenFit, AWindowPastAnEdgeMovesBackNoFurtherThanItMust) {
    EXPECT_EQ(FitInside({2600, 900, 400, 300}, kArea), (ScreenRect{2480, 700, 400, 300}));
    EXPECT_EQ(FitInside({1000, 0, 400, 300}, kArea), (ScreenRect{1280, 40, 400, 300}));
}

TEST(ScreenFit, AWindowLargerThanTheAreaIsCutToItAndLiesOnIt) {
    // Fourteen thousand by twenty thousand: nine tiles of a large result.
    EXPECT_EQ(FitInside({2000, 300, 14031, 20194}, kArea), kArea);
    // One side too large, the other kept, and only the large side moved.
    EXPECT_EQ(FitInside({1500, 300, 5000, 200}, kArea), (ScreenRect{1280, 300, 1600, 200}));
}

TEST(ScreenFit, NoAreaChangesNothing) {
    const ScreenRect frame{-50, -50, 20000, 20000};
    EXPECT_EQ(FitInside(frame, {}), frame);
}

TEST(ScreenFit, TheSplashOpensAThirdOfTheFreeSpaceFromTheCorner) {
    EXPECT_EQ(SplashPlace(1920, 1080, 300, 120), (ScreenRect{540, 320, 300, 120}));
    // A window larger than the screen: toward zero, as the division always went.
    EXPECT_EQ(SplashPlace(640, 480, 645, 100), (ScreenRect{-1, 126, 645, 100}));
}

} // namespace
} // namespace slanter
