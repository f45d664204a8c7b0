#include "bitmap/PackedDib.h"

#include <gtest/gtest.h>

#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

using testing::ReadBytes;

// The BMP file our writer makes of a record.
testing::Bytes WrittenFile(int bitCount, const testing::TempFolder& folder) {
    const std::string name = folder.Path("picture.bmp");
    EXPECT_TRUE(testing::PatternedBitmap(bitCount, 5, 3).SaveToFile(name));
    return ReadBytes(name);
}

TEST(PackedDib, APaletteFileComesBackByteForByteFromItsDib) {
    // The file header rebuilt from the DIB points where our writer put the pixels.
    const testing::TempFolder folder;
    for (const int bits : {1, 4, 8}) {
        const testing::Bytes file = WrittenFile(bits, folder);
        const PackedDib dib = DibOfBmpFile(file);
        ASSERT_EQ(dib.size() + 14, file.size());
        TBmpInfoHeader header;
        ASSERT_TRUE(ReadDibHeader(dib, header));
        EXPECT_TRUE(DibReadAsItIs(header));
        EXPECT_EQ(BmpFileOfDib(dib), file) << bits;
    }
}

TEST(PackedDib, OnlyABottomUpPalettePictureIsTakenAsItIs) {
    const testing::TempFolder folder;
    TBmpInfoHeader header;
    ASSERT_TRUE(ReadDibHeader(DibOfBmpFile(WrittenFile(24, folder)), header));
    EXPECT_FALSE(DibReadAsItIs(header));
    ASSERT_TRUE(ReadDibHeader(DibOfBmpFile(WrittenFile(8, folder)), header));
    header.biHeight = -header.biHeight;
    EXPECT_FALSE(DibReadAsItIs(header));
}

TEST(PackedDib, TheMasksOfABitFieldsHeaderComeBeforeThePixels) {
    TBmpInfoHeader header;
    header.biSize = 40;
    header.biBitCount = 16;
    header.biCompression = 3;
    EXPECT_EQ(DibPixelOffset(header), 52u);
    header.biSize = 124; // a V5 header holds its masks itself
    EXPECT_EQ(DibPixelOffset(header), 124u);
}

TEST(PackedDib, OtherBytesAreNoBmpFileAndAShortDibHasNoHeader) {
    EXPECT_TRUE(DibOfBmpFile({'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).empty());
    TBmpInfoHeader header;
    EXPECT_FALSE(ReadDibHeader(PackedDib(39, 0), header));
}

} // namespace
} // namespace slanter
