#include <gtest/gtest.h>

#include "bitmap/DrawnOpacity.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/KeptLayer.h"

namespace slanter {
namespace {

THandyBitmap TwoPixels(std::int32_t first, std::int32_t second) {
    THandyBitmap picture;
    picture.NewImage(2, 1, 24);
    picture.SetPixelColor(0, 0, first);
    picture.SetPixelColor(1, 0, second);
    return picture;
}

std::int32_t Rgb(int red, int green, int blue) {
    return red | green << 8 | blue << 16;
}

// Red 200, green 100, blue 50 at opacity 128 (worked by hand: over black 100, 50, 25;
// over white 100 + 127, 50 + 127, 25 + 127) beside a pixel that lets everything through.
TEST(DrawnOpacity, TwoDrawingsGiveBackTheStraightColourAndItsOpacity) {
    KeptLayer kept;
    ASSERT_TRUE(KeepDrawnOpacity(TwoPixels(Rgb(227, 177, 152), Rgb(255, 255, 255)),
                                 TwoPixels(Rgb(100, 50, 25), Rgb(0, 0, 0)), kept));
    EXPECT_TRUE(kept.HasAlpha());
    const KeptPixel part = kept.Pixels()[0];
    EXPECT_EQ(KeptChannel(part, 3), 128u);
    EXPECT_NEAR(KeptChannel(part, 0), 200, 1);
    EXPECT_NEAR(KeptChannel(part, 1), 100, 1);
    EXPECT_NEAR(KeptChannel(part, 2), 50, 1);
    EXPECT_EQ(KeptChannel(kept.Pixels()[1], 3), 0u);
}

TEST(DrawnOpacity, AnOpaqueIconKeepsNothing) {
    KeptLayer kept;
    const THandyBitmap same = TwoPixels(Rgb(1, 2, 3), Rgb(250, 251, 252));
    EXPECT_FALSE(KeepDrawnOpacity(same, same, kept));
    EXPECT_FALSE(kept.HasPixels());
}

} // namespace
} // namespace slanter
