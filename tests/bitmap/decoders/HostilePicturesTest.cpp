// Small files that claim huge pictures (tests/data/hostile, made by make_hostile.py): each
// is refused for what its bytes cannot hold while the process cannot get a block of a few
// tens of MiB, so the refusal came before the picture it claims was made. A program of
// its own, since starving it of memory holds for the whole process.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "bitmap/PictureDecoder.h"
#include "bitmap/decoders/ClassicTiff.h"
#include "support/MemoryStarvation.h"
#include "support/ReferenceTable.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

std::string Hostile(const std::string& name) {
    return testing::TestDataPath("hostile/" + name);
}

class HostilePicture : public testing::StarvedTest<::testing::TestWithParam<const char*>> {};

TEST_P(HostilePicture, IsRefusedAsCutBeforeItsPictureIsMade) {
    THandyBitmap picture;
    EXPECT_EQ(DecodePictureFile(Hostile(GetParam()), picture),
              "the file ends before its picture does");
    EXPECT_EQ(picture.biWidth(), 0);
}

// Our own readers, and the files whose own structure says they are cut, on both
// platforms.
INSTANTIATE_TEST_SUITE_P(EveryPlatform, HostilePicture,
                         ::testing::Values("rows.bmp", "wide.bmp", "top-down.bmp", "arithmetic.jpg",
                                           "interlaced.png", "cut.ico"));
// fax-claims.tif, a find of the decoder fuzzer, claims a million rows in a compression
// the bound once passed over.
#ifndef _WIN32
INSTANTIATE_TEST_SUITE_P(FormatLibraries, HostilePicture,
                         ::testing::Values("screen.gif", "canvas.webp", "lossy.webp", "cut.icns",
                                           "claims.tif", "fax-claims.tif"));
#endif

// 2000 x 2000 of one colour in 36 KB of full runs: the bound leaves room for it.
TEST(HonestPicture, ASolidRleBmpCodedInFullRunsOpens) {
    THandyBitmap picture;
    ASSERT_EQ(DecodePictureFile(Hostile("solid.bmp"), picture), "");
    EXPECT_EQ(picture.biWidth(), 2000);
    EXPECT_EQ(picture.GetPixelColor(1999, 1999), 0xffffff);
}

#ifndef _WIN32
// A picture in one deflate strip is read row after row as one in strips of 16 rows is.
TEST(HonestPicture, OneStripAndManyStripsGiveTheSamePixels) {
    THandyBitmap strips;
    ASSERT_EQ(DecodePictureFile(Hostile("strips.tif"), strips), "");
    ASSERT_EQ(strips.biWidth(), 200);
    ASSERT_EQ(strips.biHeight(), 1000);
    for (const char* name : {"one-strip.tif"}) {
        THandyBitmap other;
        ASSERT_EQ(DecodePictureFile(Hostile(name), other), "") << name;
        ASSERT_EQ(other.biHeight(), 1000) << name;
        for (std::int32_t y = 0; y < 1000; y += 7)
            for (std::int32_t x = 0; x < 200; x += 3)
                ASSERT_EQ(other.GetPixelColor(x, y), strips.GetPixelColor(x, y)) << name;
    }
    // Row 0 of the record is the bottom row: pixel (10, 999 - 975) was (x // 10) * 13 +
    // (y // 25) * 7 = 13 + 39 * 7 grey.
    const int level = (13 + 39 * 7) & 0xff;
    EXPECT_EQ(strips.GetPixelColor(10, 1000 - 1 - 975), level * 0x010101);
}
#endif

// BigTIFF's 64-bit offsets lead to the same pixels, and so do they in the classic copy
// made for a reader of classic TIFF alone.
TEST(HonestPicture, BigTiffAndItsClassicCopyGiveThePixelsOfClassicStrips) {
    THandyBitmap strips;
    ASSERT_EQ(DecodePictureFile(Hostile("strips.tif"), strips), "");
    const ClassicTiffFile classic(Hostile("big.tif"));
    ASSERT_EQ(classic.Refusal(), "");
    ASSERT_NE(classic.Path(), Hostile("big.tif"));
    for (const std::string& name : {Hostile("big.tif"), classic.Path()}) {
        THandyBitmap other;
        ASSERT_EQ(DecodePictureFile(name, other), "") << name;
        ASSERT_EQ(other.biHeight(), strips.biHeight()) << name;
        for (std::int32_t y = 0; y < strips.biHeight(); y += 7)
            for (std::int32_t x = 0; x < strips.biWidth(); x += 3)
                ASSERT_EQ(other.GetPixelColor(x, y), strips.GetPixelColor(x, y)) << name;
    }
}

// A strip offset past 32 bits has no classic form.
TEST(HonestPicture, ABigTiffOffsetPastThirtyTwoBitsHasNoClassicCopy) {
    std::vector<std::uint8_t> big = testing::ReadBytes(Hostile("big.tif"));
    ASSERT_TRUE(IsBigTiff(big));
    const auto read = [&big](std::size_t at, int bytes) {
        std::size_t value = 0;
        for (int k = bytes - 1; k >= 0; --k)
            value = value << 8 | big[at + static_cast<std::size_t>(k)];
        return value;
    };
    const std::size_t directory = read(8, 8);
    for (std::size_t k = 0; k < read(directory, 8); ++k) {
        const std::size_t entry = directory + 8 + 20 * k;
        if (read(entry, 2) == 273) // the strips' offsets, LONG8s beyond the entry
            big[read(entry + 12, 8) + 4] = 1;
    }
    std::vector<std::uint8_t> classic;
    EXPECT_EQ(ClassicTiffOf(testing::ReadBytes(Hostile("big.tif")), classic), "");
    EXPECT_NE(ClassicTiffOf(big, classic), "");
}

} // namespace
} // namespace slanter
