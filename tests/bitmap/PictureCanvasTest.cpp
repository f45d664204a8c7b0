#include "bitmap/decoders/PictureCanvas.h"

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"

namespace slanter {
namespace {

// The colour the record holds at (x, y) of the picture as shown, top row 0.
std::int32_t Shown(const THandyBitmap& picture, int x, int y) {
    return picture.GetPixelColor(x, picture.biHeight() - 1 - y);
}

TEST(PictureCanvas, PackedIndicesAreReadFromTheHighBitsOfEachByte) {
    THandyBitmap picture;
    PictureCanvas canvas(picture, 1);
    ASSERT_EQ(canvas.Start(5, 1, EvenGreys(2)), "");
    const std::uint8_t row[] = {0b00'01'10'11, 0b10'000000};
    canvas.PutPackedIndices(0, row, 2);
    for (const auto& [x, grey] : {std::pair{0, 0}, {1, 85}, {2, 170}, {3, 255}, {4, 170}})
        EXPECT_EQ(Shown(picture, x, 0), grey | grey << 8 | grey << 16) << x;
}

TEST(PictureCanvas, WideChannelsAreLowByteFirstAndRoundedToNearest) {
    THandyBitmap picture;
    PictureCanvas canvas(picture, 1);
    ASSERT_EQ(canvas.Start(2, 1), "");
    // 0xFF00 is 254.5 levels of 255, rounded down; 0x0101 is 1.
    const std::uint8_t rgb[] = {0x00, 0xFF, 0x01, 0x01, 0xFF, 0xFF,
                                0x01, 0x01, 0x00, 0x00, 0x00, 0x00};
    canvas.PutWideColors(0, rgb, 3);
    EXPECT_EQ(Shown(picture, 0, 0), 254 | 1 << 8 | 255 << 16);
    EXPECT_EQ(Shown(picture, 1, 0), 1);
    // Grey fills the three channels.
    const std::uint8_t grey[] = {0x01, 0x01, 0x00, 0xFF};
    canvas.PutWideColors(0, grey, 1);
    EXPECT_EQ(Shown(picture, 0, 0), 0x010101);
    EXPECT_EQ(Shown(picture, 1, 0), 0xFEFEFE);
}

TEST(PictureCanvas, BgraComesInReverseAndTransparentIsWhite) {
    THandyBitmap picture;
    PictureCanvas canvas(picture, 1);
    ASSERT_EQ(canvas.Start(2, 1), "");
    const std::uint8_t row[] = {10, 20, 30, 255, 0, 0, 0, 0};
    canvas.PutBgraColors(0, row);
    EXPECT_EQ(Shown(picture, 0, 0), 30 | 20 << 8 | 10 << 16);
    EXPECT_EQ(Shown(picture, 1, 0), 0xFFFFFF);
}

TEST(PictureCanvas, GreysOfTwoBitsAreAThirdApart) {
    EXPECT_EQ(EvenGreys(2), (std::vector<std::uint32_t>{Rgba(0, 0, 0), Rgba(85, 85, 85),
                                                        Rgba(170, 170, 170), Rgba(255, 255, 255)}));
    EXPECT_EQ(EvenGreys(1), (std::vector<std::uint32_t>{Rgba(0, 0, 0), Rgba(255, 255, 255)}));
}

} // namespace
} // namespace slanter
