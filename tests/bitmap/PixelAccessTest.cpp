#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"

namespace slanter {
namespace {

// An 8-bit record of 3 x 2 with a palette of 4 entries, colour k being k * 0x010101.
THandyBitmap Indexed() {
    THandyBitmap b;
    b.NewImage(3, 2, 8);
    b.SetPaletteCount(4);
    for (int k = 0; k < 4; ++k)
        b.SetPaletteColor(k, k * 0x010101);
    return b;
}

TEST(SwapRedBlue, ExchangesTheOuterBytesAndClearsTheTop) {
    EXPECT_EQ(THandyBitmap::SwapRedBlue(0x40302010), 0x00102030);
    EXPECT_EQ(THandyBitmap::SwapRedBlue(0x00102030), 0x00302010);
    EXPECT_EQ(THandyBitmap::SwapRedBlue(0), 0);
    // A reserved byte of 0xFF makes the stored number negative; red must not change by
    // one for it, as a signed division by 65536 toward zero would make it.
    EXPECT_EQ(THandyBitmap::SwapRedBlue(static_cast<std::int32_t>(0xFF302010)), 0x00102030);
    EXPECT_EQ(THandyBitmap::SwapRedBlue(static_cast<std::int32_t>(0xFFFFFFFF)), 0x00FFFFFF);
    EXPECT_EQ(THandyBitmap::SwapRedBlue(static_cast<std::int32_t>(0x80000001)), 0x00010000);
}

TEST(NewRecord, IsEmptyWithOnePlaneAndOneColour) {
    const THandyBitmap b;
    EXPECT_EQ(b.biWidth(), 0);
    EXPECT_EQ(b.biHeight(), 0);
    EXPECT_EQ(b.biBitCount(), 0);
    EXPECT_EQ(b.InfoHeader().biPlanes, 1);
    EXPECT_EQ(b.MaxColors(), 1);
    EXPECT_EQ(b.PaletteCount(), 0);
    EXPECT_EQ(b.ErrorText(), "");
    EXPECT_EQ(b.GetPixelColor(0, 0), -1);
}

TEST(NewImage, GivesBlackTrueColourCellsAndKeepsThePalette) {
    THandyBitmap b;
    b.NewImage(4, 3, 24);
    EXPECT_EQ(b.MaxColors(), 16'777'216);
    EXPECT_EQ(b.PaletteCount(), 0);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(b.GetPixelColor(x, y), 0);

    THandyBitmap indexed = Indexed();
    indexed.SetPixelIndex(1, 1, 3);
    indexed.NewImage(5, 5, 4);
    EXPECT_EQ(indexed.MaxColors(), 16);
    EXPECT_EQ(indexed.PaletteCount(), 4);
    EXPECT_EQ(indexed.GetPaletteColor(3), 0x030303);
    EXPECT_EQ(indexed.GetPixelIndex(1, 1), 0); // every cell discarded
    EXPECT_EQ(indexed.GetPixelIndex(4, 4), 0);
}

TEST(NewImage, MaxColorsIsTwoToTheDepth) {
    THandyBitmap b;
    for (const auto& [depth, colors] :
         {std::pair{1, 2}, std::pair{4, 16}, std::pair{8, 256}, std::pair{16, 65536},
          std::pair{0, 1}, std::pair{-3, 1}, std::pair{30, 1 << 30}}) {
        b.NewImage(1, 1, depth);
        EXPECT_EQ(b.MaxColors(), colors) << depth;
    }
}

TEST(NewImage, ASideOfZeroGivesNoCells) {
    THandyBitmap b;
    b.NewImage(0, 7, 8);
    EXPECT_EQ(b.biWidth(), 0);
    EXPECT_EQ(b.biHeight(), 7);
    EXPECT_EQ(b.GetPixelColor(0, 0), -1);
    b.SetPixelColor(0, 0, 5);
    b.NewImage(7, 0, 8);
    EXPECT_EQ(b.GetPixelColor(0, 0), -1);
}

TEST(NewImage, SizesBeyondTheLimitsGiveAnEmptyRecord) {
    THandyBitmap b;
    for (const auto& [width, height] :
         {std::pair{-1, 5}, std::pair{5, -1}, std::pair{65536, 32769},
          std::pair{INT32_MAX, INT32_MAX}, std::pair{-65536, -65536}}) {
        b.NewImage(width, height, 24);
        EXPECT_EQ(b.biWidth(), 0) << width << "x" << height;
        EXPECT_EQ(b.biHeight(), 0) << width << "x" << height;
        EXPECT_EQ(b.GetPixelColor(0, 0), -1);
    }
}

TEST(SetPaletteCount, IsClampedToTheDepth) {
    THandyBitmap b;
    b.SetPaletteCount(16); // before NewImage only one colour fits
    EXPECT_EQ(b.PaletteCount(), 1);
    b.NewImage(2, 2, 8);
    b.SetPaletteCount(300);
    EXPECT_EQ(b.PaletteCount(), 256);
    b.SetPaletteCount(-5);
    EXPECT_EQ(b.PaletteCount(), 0);
    EXPECT_EQ(b.GetPaletteColor(0), -1);
}

TEST(SetPaletteCount, KeepsTheFirstEntriesAndAddsBlack) {
    THandyBitmap b;
    b.NewImage(1, 1, 8);
    b.SetPaletteCount(16);
    for (int k = 0; k < 16; ++k)
        b.SetPaletteColor(k, 0x100 + k);
    b.SetPaletteCount(4);
    EXPECT_EQ(b.PaletteCount(), 4);
    EXPECT_EQ(b.GetPaletteColor(3), 0x103);
    EXPECT_EQ(b.GetPaletteColor(4), -1);
    b.SetPaletteCount(16);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(b.GetPaletteColor(k), 0x100 + k);
    for (int k = 4; k < 16; ++k)
        EXPECT_EQ(b.GetPaletteColor(k), 0) << k;
}

TEST(PaletteColor, OutsideThePaletteIsMinusOneAndIgnored) {
    THandyBitmap b = Indexed();
    EXPECT_EQ(b.GetPaletteColor(-1), -1);
    EXPECT_EQ(b.GetPaletteColor(4), -1);
    b.SetPaletteColor(4, 7);
    b.SetPaletteColor(-1, 7);
    b.SetPaletteColor(2, -1); // any value is stored as it is
    EXPECT_EQ(b.GetPaletteColor(2), -1);
    EXPECT_EQ(b.GetPaletteColor(3), 0x030303);
}

TEST(IndexFamily, WorksOnlyOnAnIndexedRecord) {
    THandyBitmap b;
    b.NewImage(2, 2, 24);
    EXPECT_EQ(b.GetPixelIndex(0, 0), -1);
    b.SetPixelIndex(0, 0, 0);
    b.SetPixelColor(1, 1, 0x123456);
    EXPECT_EQ(b.GetPixelIndex(1, 1), -1);
    EXPECT_EQ(b.GetPixelColor(1, 1), 0x123456);
}

TEST(IndexFamily, StoresOnlyIndicesOfThePalette) {
    THandyBitmap b = Indexed();
    b.SetPixelIndex(2, 1, 3);
    EXPECT_EQ(b.GetPixelIndex(2, 1), 3);
    b.SetPixelIndex(2, 1, 4); // equal to PaletteCount
    b.SetPixelIndex(2, 1, -1);
    EXPECT_EQ(b.GetPixelIndex(2, 1), 3);
    EXPECT_EQ(b.GetPixelColor(2, 1), 0x030303);
}

TEST(ColorFamily, OnAnIndexedRecordReadsThroughThePaletteAndStoresNothing) {
    THandyBitmap b = Indexed();
    b.SetPixelIndex(0, 0, 2);
    b.SetPixelColor(0, 0, 0x00FF00);
    EXPECT_EQ(b.GetPixelIndex(0, 0), 2);
    EXPECT_EQ(b.GetPixelColor(0, 0), 0x020202);
    // After a shrink a cell may point past the palette: no colour, the index as stored.
    b.SetPaletteCount(2);
    EXPECT_EQ(b.GetPixelColor(0, 0), -1);
    EXPECT_EQ(b.GetPixelIndex(0, 0), 2);
}

TEST(ColorFamily, TrueColourCellsHoldAnyValue) {
    THandyBitmap b;
    b.NewImage(2, 1, 24);
    b.SetPixelColor(0, 0, -1);
    b.SetPixelColor(1, 0, 0x7FFFFFFF);
    EXPECT_EQ(b.GetPixelColor(0, 0), -1);
    EXPECT_EQ(b.GetPixelColor(1, 0), 0x7FFFFFFF);
}

TEST(PixelFamily, PositionsOutsideThePictureAreMinusOneAndIgnored) {
    THandyBitmap b = Indexed();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            b.SetPixelIndex(x, y, 1);
    for (const auto& [x, y] : {std::pair{3, 0}, std::pair{-1, 0}, std::pair{0, 2}, std::pair{0, -1},
                               std::pair{INT32_MIN, INT32_MAX}}) {
        EXPECT_EQ(b.GetPixelColor(x, y), -1) << x << "," << y;
        EXPECT_EQ(b.GetPixelIndex(x, y), -1) << x << "," << y;
        b.SetPixelIndex(x, y, 2);
    }
    // Position (3, 0) would be cell 3, the first of row 1, if it were not refused.
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(b.GetPixelIndex(x, y), 1);
}

} // namespace
} // namespace slanter
