#include "bitmap/decoders/RecordedOrientation.h"

#include <algorithm>
#include <iterator>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace slanter {
namespace {

TEST(RecordedOrientation, TheFileOnDiskIsReadWhereItsFormatKeepsTheBlock) {
    const testing::TempFolder folder;
    // A little-endian TIFF directory of one entry: orientation 5 (turned a quarter).
    const std::string tiff = folder.Path("turned.tif");
    const std::uint8_t directory[] = {'I',  'I', '*', 0, 8, 0, 0, 0, 1, 0,
                                      0x12, 1,   3,   0, 1, 0, 0, 0, 5};
    testing::Bytes bytes(64, 0);
    std::copy(std::begin(directory), std::end(directory), bytes.begin());
    testing::WriteBytes(tiff, bytes);
    EXPECT_EQ(RecordedOrientation(tiff), 5);
    EXPECT_EQ(RecordedOrientation(folder.Path("gone.tif")), 1);
}

} // namespace
} // namespace slanter
