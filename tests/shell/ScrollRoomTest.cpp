#include "shell/ScrollRoom.h"

#include <gtest/gtest.h>

namespace slanter {
namespace {

constexpr TPoint kBars{17, 17};

TEST(ScrollRoom, ACanvasThatFitsTakesNoBars) {
    EXPECT_EQ(ScrolledRoom({400, 300}, {400, 300}, kBars), (TPoint{400, 300}));
    EXPECT_EQ(LastScroll({400, 300}, {400, 300}), (ScrollPosition{0, 0}));
}

TEST(ScrollRoom, OneBarCanCallForTheOther) {
    // Only taller than the view, but the vertical bar leaves too little width.
    EXPECT_EQ(ScrolledRoom({390, 600}, {400, 300}, kBars), (TPoint{383, 283}));
    // Taller, and narrow enough beside the bar: one bar.
    EXPECT_EQ(ScrolledRoom({380, 600}, {400, 300}, kBars), (TPoint{383, 300}));
    EXPECT_EQ(LastScroll({380, 600}, {383, 300}), (ScrollPosition{0, 300}));
}

} // namespace
} // namespace slanter
