// Memory that cannot be had must end in a refusal, never in a crash. A program of its
// own, since each way of starving it of memory holds for the whole process.
#include <filesystem>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "support/BmpBuilder.h"
#include "support/MemoryStarvation.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

class AllocationFailure : public testing::StarvedTest<> {};

TEST_F(AllocationFailure, NewImageWithoutMemoryGivesAnEmptyRecord) {
    THandyBitmap b;
    b.NewImage(10000, 10000, 8); // 400,000,000 bytes of cells
    EXPECT_EQ(b.biWidth(), 0);
    EXPECT_EQ(b.biHeight(), 0);
    EXPECT_EQ(b.GetPixelColor(0, 0), -1);
    b.SetPixelColor(9999, 9999, 1);
}

TEST_F(AllocationFailure, SetPaletteCountWithoutMemoryKeepsThePalette) {
    THandyBitmap b;
    b.NewImage(1, 1, 24);
    b.SetPaletteCount(2);
    b.SetPaletteColor(1, 0x123456);
    b.SetPaletteCount(16'777'216); // 64 MiB
    EXPECT_EQ(b.PaletteCount(), 2);
    EXPECT_EQ(b.GetPaletteColor(1), 0x123456);
}

TEST_F(AllocationFailure, ALoadWithoutMemoryIsRefused) {
    // 20000 x 5000 at one bit: 12.5 MB of pixel data, 400 MB of cells.
    testing::TempFolder folder;
    testing::BmpLayout layout;
    layout.width = 20000;
    layout.height = 5000;
    layout.bitCount = 1;
    layout.table = testing::TableOf({{}, {255, 255, 255, 0}});
    const std::int32_t length = 62 + 5000 * 2500;
    layout.size = length;
    const std::string name = folder.Path("big.bmp");
    testing::WriteBytes(name, testing::BuildBmp(layout));
    std::filesystem::resize_file(name, length); // the pixel data reads as zeros

    THandyBitmap b;
    EXPECT_FALSE(b.LoadFromFile(name));
    EXPECT_EQ(b.ErrorText(), "out of memory");
    EXPECT_EQ(b.GetPixelIndex(19999, 4999), -1);
}

// A fuzzer's find: 78 bytes claiming 2113929219 x 0 pixels asked for a 2 GB row.
TEST_F(AllocationFailure, APictureOfNoRowsAsksForNoRow) {
    testing::TempFolder folder;
    testing::BmpLayout layout;
    layout.width = 2113929219;
    layout.height = 0;
    layout.bitCount = 8;
    layout.table = testing::TableOf({{}, {255, 255, 255, 0}});
    const std::string name = folder.Path("no-rows.bmp");
    testing::WriteBytes(name, testing::BuildBmp(layout));
    THandyBitmap b;
    EXPECT_TRUE(b.LoadFromFile(name)) << b.ErrorText();
    EXPECT_EQ(b.biHeight(), 0);
}

} // namespace
} // namespace slanter
