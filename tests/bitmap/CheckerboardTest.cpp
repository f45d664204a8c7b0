#include <gtest/gtest.h>

#include "bitmap/Checkerboard.h"
#include "bitmap/HandyBitmap.h"

namespace slanter {
namespace {

TEST(Checkerboard, NeighbouringSquaresDiffer) {
    EXPECT_NE(CheckerboardColor(0, 0), CheckerboardColor(kCheckerSquare, 0));
    EXPECT_NE(CheckerboardColor(0, 0), CheckerboardColor(0, kCheckerSquare));
    EXPECT_EQ(CheckerboardColor(0, 0), CheckerboardColor(kCheckerSquare, kCheckerSquare));
    EXPECT_EQ(CheckerboardColor(0, 0), CheckerboardColor(kCheckerSquare - 1, 0));
}

// A clear pixel shows the square under it, an opaque one itself, a half-clear one the mean.
TEST(Checkerboard, ClearPartsShowTheSquaresUnderThem) {
    THandyBitmap picture;
    picture.NewImage(2, 1, 24);
    ASSERT_TRUE(picture.Kept().ResetPixels(2, 1, 16, true));
    picture.Kept().Pixels()[0] = MakeKeptPixel(0xFFFF, 0, 0, 0);
    picture.Kept().Pixels()[1] = MakeKeptPixel(0, 0, 0xFFFF, 0xFFFF);
    THandyBitmap shown;
    const THandyBitmap& painted = PictureToShow(picture, shown);
    EXPECT_EQ(painted.GetPixelColor(0, 0), CheckerboardColor(0, 0));
    EXPECT_EQ(painted.GetPixelColor(1, 0), 0xFF0000);
    picture.Kept().Pixels()[0] = MakeKeptPixel(0, 0, 0, 0x8000);
    // Black at 0x8000 over white leaves 255 x 0x7FFF / 0xFFFF = 127.498 of the white.
    EXPECT_EQ(PictureToShow(picture, shown).GetPixelColor(0, 0), 0x7F7F7F);
}

TEST(Checkerboard, AnOpaquePictureIsShownAsItIs) {
    THandyBitmap picture;
    picture.NewImage(3, 3, 24);
    ASSERT_TRUE(picture.Kept().ResetPixels(3, 3, 16, false));
    THandyBitmap shown;
    EXPECT_EQ(&PictureToShow(picture, shown), &picture);
}

} // namespace
} // namespace slanter
