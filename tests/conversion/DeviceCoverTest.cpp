#include <gtest/gtest.h>

#include "conversion/DeviceCover.h"

namespace slanter {
namespace {

TEST(DeviceCover, AtOneToOneARectangleStaysAsItIs) {
    const ZoomedCell cell{{3, 7}, {10, 4}};
    EXPECT_EQ(LogicalCover(cell, 1.0), cell);
    EXPECT_EQ(DeviceCover(cell, 1.0), cell);
}

TEST(DeviceCover, AScaledRectangleTakesEveryPixelItTouches) {
    // At 150%, logical pixel 1 spans device pixels 1.5 to 3: device pixels 1 and 2.
    EXPECT_EQ(DeviceCover({{1, 1}, {1, 1}}, 1.5), (ZoomedCell{{1, 1}, {2, 2}}));
    // Device pixels 1 and 2 span logical 0.67 to 2: logical pixels 0 and 1.
    EXPECT_EQ(LogicalCover({{1, 1}, {2, 2}}, 1.5), (ZoomedCell{{0, 0}, {2, 2}}));
    // At 200%, device pixel 3 lies in logical pixel 1.
    EXPECT_EQ(LogicalCover({{3, 0}, {1, 5}}, 2.0), (ZoomedCell{{1, 0}, {1, 3}}));
}

} // namespace
} // namespace slanter
