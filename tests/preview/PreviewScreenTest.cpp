#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "preview/PreviewScreen.h"

namespace slanter {
namespace {

PreviewSpace Space(double tileWidth, double tileHeight, bool horizontal) {
    PreviewPattern pattern;
    pattern.angle = 0.3;
    pattern.tile = {static_cast<std::int32_t>(tileWidth), static_cast<std::int32_t>(tileHeight)};
    pattern.sourceWidth = 20;
    pattern.sourceHeight = 10;
    pattern.horizontal = horizontal;
    return *MakePreviewSpace(pattern);
}

// A 100 x 50 tile gives R = 70: u = -50 lands on 20·201/140 = 28.7, u = 50 on 172.3,
// v = 25 on 45·201/140 = 64.6 and v = -25 on 136.4.
TEST(PreviewScreen, RowsRunRightAndUp) {
    const PreviewScreen screen(Space(100, 50, true), 201, 201);
    EXPECT_EQ(screen.Map(-50, -25), (ScreenPoint{28, 136}));
    EXPECT_EQ(screen.Map(50, 25), (ScreenPoint{172, 64}));
    EXPECT_EQ(screen.Map(-70, 70), (ScreenPoint{0, 0}));
    EXPECT_EQ(screen.Map(70, -70), (ScreenPoint{201, 201}));
}

// Columns: the same drawing a quarter turn on, u up the screen and v to the left.
TEST(PreviewScreen, ColumnsRunUpAndLeft) {
    const PreviewScreen screen(Space(100, 50, false), 201, 201);
    EXPECT_EQ(screen.Map(-25, -50), (ScreenPoint{172, 136}));
    EXPECT_EQ(screen.Map(25, 50), (ScreenPoint{28, 64}));
    EXPECT_EQ(screen.Map(70, 70), (ScreenPoint{0, 0}));
    EXPECT_EQ(screen.Map(-70, -70), (ScreenPoint{201, 201}));
}

TEST(PreviewScreen, TruncatesTowardZeroOnBothSidesOfTheEdge) {
    const PreviewScreen screen(Space(100, 50, true), 201, 201);
    // -0.5·201/140 = -0.72 truncates to 0, not -1; -1 unit is -1.44, so -1.
    EXPECT_EQ(screen.Map(-70.5, 70.5).x, 0);
    EXPECT_EQ(screen.Map(-70.5, 70.5).y, 0);
    EXPECT_EQ(screen.Map(-71, 71), (ScreenPoint{-1, -1}));
    EXPECT_EQ(screen.Map(69.9, -69.9), (ScreenPoint{200, 200}));
}

TEST(PreviewScreen, FarPointsStayAtTheLimitsOfThePixelRange) {
    const PreviewScreen screen(Space(1, 1, true), 201, 201);
    constexpr std::int32_t most = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t least = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(screen.Map(1e30, -1e30), (ScreenPoint{most, most}));
    EXPECT_EQ(screen.Map(-1e30, 1e30), (ScreenPoint{least, least}));
}

} // namespace
} // namespace slanter
