#include <gtest/gtest.h>

#include "method/CaptionFit.h"

namespace slanter {
namespace {

TEST(CaptionFit, ATextShrinksAPixelAtATimeToTheFirstSizeThatFitsButNotBelowEight) {
    // A text ten pixels wide per pixel of font height, in 95 pixels of room.
    const auto fitsIn = [](int room) { return [room](int pixels) { return 10 * pixels <= room; }; };
    EXPECT_EQ(FittedFontPixels(12, fitsIn(95)), 9);
    EXPECT_EQ(FittedFontPixels(12, fitsIn(120)), 12);
    EXPECT_EQ(FittedFontPixels(12, fitsIn(40)), 8);
}

TEST(CaptionFit, AButtonWidensToItsTextUpToTheFrameAndNeverNarrows) {
    EXPECT_EQ(FittedButtonWidth(70, 60, 100), 70);
    EXPECT_EQ(FittedButtonWidth(130, 60, 100), 100);
    EXPECT_EQ(FittedButtonWidth(50, 60, 55), 60);
}

} // namespace
} // namespace slanter
