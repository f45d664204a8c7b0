#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "bitmap/PictureScale.h"

namespace slanter {
namespace {

std::optional<TPoint> Scaled(const std::string& text, TPoint from) {
    const std::optional<ScaleRequest> request = ParseScale(text);
    return request ? ScaledSize(*request, from) : std::nullopt;
}

// Worked by hand: 6000 x 4000 is 3 : 2, 4000 x 3000 is 4 : 3.
TEST(PictureScale, TheOtherSideFollowsRoundedToNearest) {
    EXPECT_EQ(Scaled("50%", {6000, 4000}), (TPoint{3000, 2000}));
    EXPECT_EQ(Scaled("1920x", {6000, 4000}), (TPoint{1920, 1280}));
    EXPECT_EQ(Scaled("x1080", {6000, 4000}), (TPoint{1620, 1080}));
    EXPECT_EQ(Scaled("1920X1080", {6000, 4000}), (TPoint{1920, 1080}));
    EXPECT_EQ(Scaled("12.5%", {4000, 3000}), (TPoint{500, 375}));
    // Halves go up: 3 x 0.5 = 1.5 and 1001 x 1000 / 2000 = 500.5.
    EXPECT_EQ(Scaled("50%", {3, 5}), (TPoint{2, 3}));
    EXPECT_EQ(Scaled("x1000", {1001, 2000}), (TPoint{501, 1000}));
    // Never below one pixel.
    EXPECT_EQ(Scaled("1x", {4000, 3}), (TPoint{1, 1}));
    EXPECT_EQ(Scaled("0.0001%", {4000, 3000}), (TPoint{1, 1}));
    EXPECT_EQ(Scaled("10000%", {2, 3}), (TPoint{200, 300}));
}

TEST(PictureScale, RefusesWhatIsNoSizeOrTooLarge) {
    for (const char* text : {"", "%", "0%", "-5%", "10000.0001%", "1.23456%", "50 %", "x", "0x",
                             "x0", "1920", "19x20x", "+5x", "1e3x", "x 1080", "2147483648x"})
        EXPECT_FALSE(ParseScale(text)) << text;
    // A working picture past what the store and its file hold.
    EXPECT_FALSE(Scaled("100000x", {2, 1}));
    EXPECT_FALSE(Scaled("70000x70000", {1, 1}));
    EXPECT_FALSE(Scaled("50%", {0, 10}));
}

} // namespace
} // namespace slanter
