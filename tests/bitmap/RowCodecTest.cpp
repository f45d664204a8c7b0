#include <vector>

#include <gtest/gtest.h>

#include "bitmap/RowCodec.h"

namespace slanter {
namespace {

using Cells = std::vector<std::int32_t>;
using Row = std::vector<std::uint8_t>;

TEST(RowBytes, RoundsEachRowUpToWholeWords) {
    EXPECT_EQ(RowBytes(24, 3), 12);
    EXPECT_EQ(RowBytes(1, 1), 4);
    EXPECT_EQ(RowBytes(4, 9), 8);
    EXPECT_EQ(RowBytes(16, 3), 8);
    EXPECT_EQ(RowBytes(24, 2800), 8400);
    EXPECT_EQ(RowBytes(1, 32), 4);
    EXPECT_EQ(RowBytes(1, 33), 8);
    EXPECT_EQ(RowBytes(8, 0), 0);
    // Header values that 32 bits could not multiply.
    EXPECT_EQ(RowBytes(24, INT32_MAX), 6'442'450'944);
}

Cells Unpacked(int bitCount, const Row& row, int width) {
    Cells cells(width, -7);
    UnpackRow(bitCount, row.data(), width, cells.data());
    return cells;
}

Row Packed(int bitCount, const Cells& cells, std::size_t rowBytes) {
    Row row(rowBytes, 0xEE); // padding must stay as the caller left it
    PackRow(bitCount, cells.data(), static_cast<std::int32_t>(cells.size()), row.data());
    return row;
}

TEST(UnpackRow, OneBitLeftmostPixelInTheHighBit) {
    EXPECT_EQ(Unpacked(1, {0b10110000, 0b01000000}, 10), (Cells{1, 0, 1, 1, 0, 0, 0, 0, 0, 1}));
}

TEST(UnpackRow, FourBitsEvenPixelInTheHighHalf) {
    EXPECT_EQ(Unpacked(4, {0x12, 0x3F, 0xA0}, 5), (Cells{1, 2, 3, 15, 10}));
}

TEST(UnpackRow, EightBitsAreTheBytes) {
    EXPECT_EQ(Unpacked(8, {0, 255, 7}, 3), (Cells{0, 255, 7}));
}

TEST(UnpackRow, SixteenBitsKeepTheTopFiveBitsOfEachChannel) {
    // Word 0x6586: red 25, green 12, blue 6 (five bits each); bit 15 plays no part.
    const Cells cells = Unpacked(16, {0x86, 0x65, 0x86, 0xE5}, 2);
    const std::int32_t color = 200 | 96 << 8 | 48 << 16;
    EXPECT_EQ(cells, (Cells{color, color}));
}

TEST(UnpackRow, TwentyFourBitsAreBlueGreenRed) {
    // A row that ends right after its last pixel.
    EXPECT_EQ(Unpacked(24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 4),
              (Cells{0x010203, 0x040506, 0x070809, 0x0A0B0C}));
    EXPECT_EQ(Unpacked(24, {0x10, 0x20, 0x30, 0xFF, 0, 0}, 2), (Cells{0x102030, 0xFF0000}));
}

TEST(PackRow, OneAndFourBitsStartEveryByteAfresh) {
    // The last byte's unused low bits are zero whatever the buffer held.
    EXPECT_EQ(Packed(1, {1, 0, 1, 1, 0, 0, 0, 0, 0, 1}, 4),
              (Row{0b10110000, 0b01000000, 0xEE, 0xEE}));
    EXPECT_EQ(Packed(4, {1, 2, 3, 15, 10}, 4), (Row{0x12, 0x3F, 0xA0, 0xEE}));
}

TEST(PackRow, IndicesKeepOnlyTheBitsOfTheDepth) {
    EXPECT_EQ(Packed(1, {2, 3, -1}, 1), (Row{0b01100000}));
    EXPECT_EQ(Packed(4, {0x13, -1, 16}, 2), (Row{0x3F, 0x00}));
    EXPECT_EQ(Packed(8, {0x1FF, -1, 256}, 3), (Row{0xFF, 0xFF, 0x00}));
}

TEST(PackRow, SixteenBitsDropTheLowThreeBitsOfEachChannel) {
    // Red 200, green 100, blue 50: 25 << 10 | 12 << 5 | 6 = 0x6586, bit 15 clear.
    EXPECT_EQ(Packed(16, {200 | 100 << 8 | 50 << 16}, 2), (Row{0x86, 0x65}));
    EXPECT_EQ(Packed(16, {0xFFFFFF}, 2), (Row{0xFF, 0x7F}));
}

TEST(PackRow, TwentyFourBitsWriteBlueGreenRed) {
    EXPECT_EQ(Packed(24, {0x102030}, 3), (Row{0x10, 0x20, 0x30}));
    // Nothing lands in the padding after the last pixel; top bytes play no part.
    EXPECT_EQ(Packed(24, {0x302010, 0x0C0B0A, 0x7FFFFFFF}, 12),
              (Row{0x30, 0x20, 0x10, 0x0C, 0x0B, 0x0A, 0xFF, 0xFF, 0xFF, 0xEE, 0xEE, 0xEE}));
    // A row with a negative cell among ordinary ones.
    EXPECT_EQ(Packed(24, {0x302010, -1, 0x0C0B0A}, 9),
              (Row{0x30, 0x20, 0x10, 0, 0, 255, 0x0C, 0x0B, 0x0A}));
}

TEST(PackRow, ANoColourCellIsWrittenAsPureRed) {
    // -1 divided by 256 toward zero is 0, so green and blue are 0 and red is 255.
    EXPECT_EQ(Packed(24, {-1}, 3), (Row{0, 0, 255}));
    EXPECT_EQ(Packed(16, {-1}, 2), (Row{0x00, 0x7C}));
}

} // namespace
} // namespace slanter
