#include <cstring>

#include <windows.h>

#include <gtest/gtest.h>

#include "bitmap/DibV5.h"
#include "bitmap/HandyBitmap.h"
#include "shell/win32/Clipboard.h"

namespace slanter {
namespace {

// The bitmap with opacity beside the plain one: 32 bits of blue, green, red and straight
// opacity, bottom row first, with the masks that say so.
TEST(ClipboardDib, AResultWithClearPartsBecomesAVersionFiveBitmapWithOpacity) {
    THandyBitmap picture;
    picture.NewImage(2, 1, 24);
    ASSERT_TRUE(picture.Kept().ResetPixels(2, 1, 16, true));
    picture.Kept().Pixels()[1] = MakeKeptPixel(10 * 257, 20 * 257, 30 * 257, 40 * 257);
    const PackedDib dib = DibV5Of(picture);
    BITMAPV5HEADER header{};
    ASSERT_EQ(dib.size(), sizeof header + 8);
    std::memcpy(&header, dib.data(), sizeof header);
    EXPECT_EQ(header.bV5BitCount, 32);
    EXPECT_EQ(header.bV5Compression, static_cast<DWORD>(BI_BITFIELDS));
    EXPECT_EQ(header.bV5AlphaMask, 0xFF000000u);
    const unsigned char* second = dib.data() + sizeof header + 4;
    EXPECT_EQ(std::vector<int>(second, second + 4), (std::vector<int>{30, 20, 10, 40}));
}

} // namespace
} // namespace slanter
