#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "bitmap/AreaResize.h"
#include "bitmap/HandyBitmap.h"
#include "support/ForeignPictures.h"
#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

#ifndef _WIN32
// The largest difference in one channel between the record and the picture; -1 when
// their sizes differ or the other program gave no picture.
int LargestDifference(const THandyBitmap& ours, const testing::ForeignPicture& theirs) {
    if (!theirs.ok || ours.biWidth() != theirs.width || ours.biHeight() != theirs.height)
        return -1;
    int largest = 0;
    for (int top = 0; top < theirs.height; ++top) {
        for (int x = 0; x < theirs.width; ++x) {
            const std::int32_t colour = ours.GetPixelColor(x, theirs.height - 1 - top);
            const std::size_t at = (static_cast<std::size_t>(top) * theirs.width + x) * 3;
            for (int c = 0; c < 3; ++c)
                largest =
                    std::max(largest, std::abs((colour >> 8 * c & 0xFF) - theirs.rgb[at + c]));
        }
    }
    return largest;
}

// Against Pillow: its box filter where it is an exact mean (whole factors), and otherwise
// an exact mean that Pillow alone makes (pixels repeated, then whole boxes averaged).
// Shrinking and enlarging, one side alone, and an indexed picture, within one level.
TEST(AreaResize, AgreesWithPillowWithinOneLevel) {
    const testing::TempFolder folder;
    struct Case {
        int bitCount, width, height, newWidth, newHeight;
        bool boxIsExact;
    };
    for (const Case c : {Case{24, 36, 22, 18, 11, true}, Case{24, 37, 23, 15, 9, false},
                         Case{24, 37, 23, 50, 31, false}, Case{24, 37, 23, 37, 10, false},
                         Case{8, 40, 30, 13, 7, false}, Case{1, 16, 16, 4, 4, true}}) {
        const std::string what = std::to_string(c.bitCount) + " bits " + std::to_string(c.width) +
                                 "x" + std::to_string(c.height) + " to " +
                                 std::to_string(c.newWidth) + "x" + std::to_string(c.newHeight);
        THandyBitmap source = testing::PatternedBitmap(c.bitCount, c.width, c.height);
        const std::string in = folder.Path("in.bmp");
        ASSERT_TRUE(source.SaveToFile(in)) << what;
        const std::string box = folder.Path("box.ref"), exact = folder.Path("exact.ref");
        ASSERT_EQ(std::system(("'" SLANTER_PYTHON "' '" SLANTER_RESIZE_SCRIPT "' '" + in + "' " +
                               std::to_string(c.newWidth) + " " + std::to_string(c.newHeight) +
                               " '" + box + "' '" + exact + "'")
                                  .c_str()),
                  0)
            << what;
        THandyBitmap resized;
        ASSERT_TRUE(AreaResize(source, c.newWidth, c.newHeight, resized)) << what;
        EXPECT_EQ(resized.biBitCount(), 24) << what;
        EXPECT_EQ(resized.PaletteCount(), 0) << what;
        const int toExact = LargestDifference(resized, testing::ReadForeignPicture(exact));
        EXPECT_GE(toExact, 0) << what;
        EXPECT_LE(toExact, 1) << what;
        if (c.boxIsExact) {
            const int toBox = LargestDifference(resized, testing::ReadForeignPicture(box));
            EXPECT_GE(toBox, 0) << what;
            EXPECT_LE(toBox, 1) << what;
        }
    }
}
#endif

// Weights that do not add up to the whole area show on a picture of one colour.
TEST(AreaResize, OneColourStaysExactAtEverySize) {
    THandyBitmap source;
    source.NewImage(97, 61, 24);
    for (int y = 0; y < 61; ++y)
        for (int x = 0; x < 97; ++x)
            source.SetPixelColor(x, y, 0xFF80FE);
    for (const auto& [w, h] : {std::pair{1, 1}, {96, 60}, {13, 61}, {98, 62}, {500, 7}}) {
        THandyBitmap resized;
        ASSERT_TRUE(AreaResize(source, w, h, resized));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(resized.GetPixelColor(x, y), 0xFF80FE) << w << "x" << h;
    }
}

TEST(AreaResize, RefusesSizesBelowOneAndAnEmptyPicture) {
    const THandyBitmap source = testing::PatternedBitmap(24, 4, 4);
    THandyBitmap resized;
    EXPECT_FALSE(AreaResize(source, 0, 4, resized));
    EXPECT_FALSE(AreaResize(source, 4, -1, resized));
    EXPECT_FALSE(AreaResize(THandyBitmap(), 4, 4, resized));
    EXPECT_EQ(resized.biWidth(), 0);
}

} // namespace
} // namespace slanter

namespace slanter {
namespace {

// Hand-worked: opaque red beside clear blue, halved. Opacity 255 / 2 = 127.5, to 128; the
// colours weighed by their opacity are red alone: no purple from the clear pixel's blue.
TEST(AreaResize, ClearPartsAverageTheirOpacityAndKeepTheirColoursApart) {
    THandyBitmap picture;
    picture.NewImage(2, 1, 24);
    ASSERT_TRUE(picture.Kept().ResetPixels(2, 1, 8, true));
    picture.Kept().Pixels()[0] = MakeKeptPixel(255, 0, 0, 255);
    picture.Kept().Pixels()[1] = MakeKeptPixel(0, 0, 255, 0);
    THandyBitmap half;
    ASSERT_TRUE(AreaResize(picture, 1, 1, half));
    ASSERT_TRUE(half.Kept().HasPixels());
    EXPECT_EQ(half.Kept().Pixels()[0], MakeKeptPixel(255, 0, 0, 128));
}

} // namespace
} // namespace slanter
