#include <gtest/gtest.h>

#include "method/MethodLayout.h"

namespace slanter {
namespace {

// The Convert button as designed, and the panel's corner.
constexpr BoxBounds kConvert{81, 90, 77, 23};
constexpr int kPanelLeft = 160;
constexpr int kPanelTop = 0;

ResizeStep Step(int width, int height) {
    return NextResizeStep({width, height}, kConvert, kPanelLeft, kPanelTop);
}

TEST(MethodLayout, ANarrowAreaGrowsItsWidthFirstAndKeepsItsHeight) {
    const ResizeStep step = Step(100, 50);
    EXPECT_EQ(step.kind, ResizeStep::Kind::GrowWidth);
    EXPECT_EQ(step.client, (Extent{208, 50}));
}

TEST(MethodLayout, ThenALowAreaGrowsItsHeight) {
    const ResizeStep step = Step(208, 50);
    EXPECT_EQ(step.kind, ResizeStep::Kind::GrowHeight);
    EXPECT_EQ(step.client, (Extent{208, 117}));
}

TEST(MethodLayout, TheLeastAreaItselfIsLaidOut) {
    const ResizeStep step = Step(208, 117);
    EXPECT_EQ(step.kind, ResizeStep::Kind::LayOut);
    EXPECT_EQ(step.panel, (Extent{44, 113}));
    EXPECT_EQ(step.lastColumnWidth, 44);
}

TEST(MethodLayout, ThePanelTakesTheRestAndTheLastColumnThePanelsWidth) {
    const ResizeStep step = Step(462, 178);
    EXPECT_EQ(step.kind, ResizeStep::Kind::LayOut);
    EXPECT_EQ(step.panel, (Extent{298, 174}));
    EXPECT_EQ(step.lastColumnWidth, 298);
}

} // namespace
} // namespace slanter
