#include "bitmap/decoders/PngHeaderSize.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace slanter {
namespace {

// A PNG file's signature and the start of its header chunk, claiming width x height.
testing::Bytes PngHead(std::uint32_t width, std::uint32_t height) {
    testing::Bytes head{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                        0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    for (const std::uint32_t side : {width, height})
        for (const int shift : {24, 16, 8, 0})
            head.push_back(static_cast<std::uint8_t>(side >> shift));
    return head;
}

TEST(PngHeaderSize, OnlyAPngClaimingMorePixelsThanARecordHoldsIsTooLarge) {
    const testing::TempFolder folder;
    const std::string name = folder.Path("claim.png");
    // 2^31 - 1 pixels is the most a record holds.
    testing::WriteBytes(name, PngHead(65536, 32768));
    EXPECT_TRUE(PngHeaderTooLarge(name));
    testing::WriteBytes(name, PngHead(46340, 46340));
    EXPECT_FALSE(PngHeaderTooLarge(name));
    testing::Bytes other = PngHead(65536, 32768);
    other[1] = 'Q';
    testing::WriteBytes(name, other);
    EXPECT_FALSE(PngHeaderTooLarge(name));
    EXPECT_FALSE(PngHeaderTooLarge(folder.Path("gone.png")));
}

} // namespace
} // namespace slanter
