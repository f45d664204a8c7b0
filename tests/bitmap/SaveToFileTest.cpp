#include <csignal>
#include <filesystem>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "support/BmpBuilder.h"
#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

using testing::Bytes;
using testing::I32At;
using testing::TempFolder;
using testing::U16At;

void ExpectSamePicture(const THandyBitmap& a, const THandyBitmap& b) {
    ASSERT_EQ(a.biWidth(), b.biWidth());
    ASSERT_EQ(a.biHeight(), b.biHeight());
    EXPECT_EQ(a.biBitCount(), b.biBitCount());
    ASSERT_EQ(a.PaletteCount(), b.PaletteCount());
    for (int k = 0; k < a.PaletteCount(); ++k)
        ASSERT_EQ(a.GetPaletteColor(k), b.GetPaletteColor(k)) << "entry " << k;
    for (int y = 0; y < a.biHeight(); ++y)
        for (int x = 0; x < a.biWidth(); ++x)
            ASSERT_EQ(a.GetPixelColor(x, y), b.GetPixelColor(x, y)) << x << "," << y;
}

TEST(SaveToFile, EveryDepthComesBackWithTheSameCellsAndPalette) {
    TempFolder folder;
    for (const int bitCount : {1, 4, 8, 16, 24}) {
        for (const int width : {1, 3, 8, 9, 33}) {
            THandyBitmap original = testing::PatternedBitmap(bitCount, width, 5);
            const std::string name = folder.Path("out.bmp");
            ASSERT_TRUE(original.SaveToFile(name)) << original.ErrorText();
            EXPECT_EQ(original.ErrorText(), "");
            const Bytes file = testing::ReadBytes(name);
            const int palette = bitCount <= 8 ? 1 << bitCount : 0;
            const std::size_t rowBytes = (bitCount * width + 31) / 32 * 4;
            EXPECT_EQ(file.size(), 54 + 4 * palette + 5 * rowBytes);
            EXPECT_EQ(I32At(file, 2), static_cast<std::int32_t>(file.size()));
            EXPECT_EQ(I32At(file, 10), 54 + 4 * palette);
            EXPECT_EQ(I32At(file, 34), static_cast<std::int32_t>(5 * rowBytes));
            EXPECT_EQ(I32At(file, 46), palette);
            THandyBitmap again;
            ASSERT_TRUE(again.LoadFromFile(name)) << again.ErrorText();
            ExpectSamePicture(original, again);
        }
    }
}

TEST(SaveToFile, WritesTheHeadersFieldByField) {
    THandyBitmap b;
    b.NewImage(3, 1, 4);
    b.SetPaletteCount(2);
    b.SetPaletteColor(0, 0x102030);
    b.SetPaletteColor(1, static_cast<std::int32_t>(0xFF0000FF)); // top byte set
    b.SetPixelIndex(0, 0, 1);
    b.SetPixelIndex(2, 0, 1);
    TempFolder folder;
    ASSERT_TRUE(b.SaveToFile(folder.Path("h.bmp")));
    const Bytes f = testing::ReadBytes(folder.Path("h.bmp"));
    ASSERT_EQ(f.size(), 66u);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(I32At(f, 2), 66);
    EXPECT_EQ(U16At(f, 6), 0);
    EXPECT_EQ(U16At(f, 8), 0);
    EXPECT_EQ(I32At(f, 10), 62);
    EXPECT_EQ(I32At(f, 14), 40);
    EXPECT_EQ(I32At(f, 18), 3);
    EXPECT_EQ(I32At(f, 22), 1);
    EXPECT_EQ(U16At(f, 26), 1);
    EXPECT_EQ(U16At(f, 28), 4);
    EXPECT_EQ(I32At(f, 30), 0);
    EXPECT_EQ(I32At(f, 34), 4);
    EXPECT_EQ(I32At(f, 38), 0);
    EXPECT_EQ(I32At(f, 42), 0);
    EXPECT_EQ(I32At(f, 46), 2);
    EXPECT_EQ(I32At(f, 50), 0);
    // Blue, green, red, and a reserved byte of 0 whatever the entry's top byte.
    EXPECT_EQ(Bytes(f.begin() + 54, f.begin() + 62), (Bytes{0x10, 0x20, 0x30, 0, 0, 0, 0xFF, 0}));
    EXPECT_EQ(Bytes(f.begin() + 62, f.end()), (Bytes{0x10, 0x10, 0, 0}));
    // The palette is exactly as it was, top byte included.
    EXPECT_EQ(b.GetPaletteColor(1), static_cast<std::int32_t>(0xFF0000FF));
    EXPECT_EQ(b.FileHeader().bfOffBits, 62);
    EXPECT_EQ(b.InfoHeader().biClrUsed, 2);
}

TEST(SaveToFile, ARecordWithoutPaletteStartsItsPixelsAt54) {
    THandyBitmap b;
    b.NewImage(2, 2, 8); // 8 bits without palette: the cells are written as bytes
    b.SetPixelColor(1, 1, 200);
    TempFolder folder;
    ASSERT_TRUE(b.SaveToFile(folder.Path("p.bmp")));
    const Bytes f = testing::ReadBytes(folder.Path("p.bmp"));
    EXPECT_EQ(I32At(f, 10), 54);
    EXPECT_EQ(f.size(), 54u + 8);
    EXPECT_EQ(f[54 + 4 + 1], 200);
    THandyBitmap again;
    ASSERT_TRUE(again.LoadFromFile(folder.Path("p.bmp")));
    EXPECT_EQ(again.PaletteCount(), 0);
    EXPECT_EQ(again.GetPixelColor(1, 1), 200);
}

TEST(SaveToFile, SixteenBitsLoseTheLowThreeBitsOfEachChannel) {
    THandyBitmap b;
    b.NewImage(1, 1, 16);
    b.SetPixelColor(0, 0, 200 | 100 << 8 | 50 << 16);
    TempFolder folder;
    ASSERT_TRUE(b.SaveToFile(folder.Path("s.bmp")));
    THandyBitmap again;
    ASSERT_TRUE(again.LoadFromFile(folder.Path("s.bmp")));
    EXPECT_EQ(again.GetPixelColor(0, 0), 200 | 96 << 8 | 48 << 16);
}

TEST(SaveToFile, ANoColourCellIsWrittenAsRed) {
    THandyBitmap b;
    b.NewImage(1, 1, 24);
    b.SetPixelColor(0, 0, -1);
    TempFolder folder;
    ASSERT_TRUE(b.SaveToFile(folder.Path("r.bmp")));
    const Bytes f = testing::ReadBytes(folder.Path("r.bmp"));
    EXPECT_EQ(Bytes(f.begin() + 54, f.end()), (Bytes{0, 0, 255, 0}));
}

// Only a record without palette can hold cells beyond its depth; each is written with
// the depth's low bits, so that the file stays one that loads.
TEST(SaveToFile, CellsBeyondTheDepthKeepTheirLowBits) {
    TempFolder folder;
    struct Case {
        int bitCount;
        std::int32_t cells[3];
        std::int32_t back[3];
    };
    for (const Case& c : {Case{1, {2, 3, -1}, {0, 1, 1}}, Case{4, {0x13, -1, 16}, {3, 15, 0}},
                          Case{8, {0x1FF, -1, 256}, {255, 255, 0}}}) {
        THandyBitmap b;
        b.NewImage(3, 1, c.bitCount);
        for (int x = 0; x < 3; ++x)
            b.SetPixelColor(x, 0, c.cells[x]);
        ASSERT_TRUE(b.SaveToFile(folder.Path("m.bmp")));
        THandyBitmap again;
        ASSERT_TRUE(again.LoadFromFile(folder.Path("m.bmp"))) << again.ErrorText();
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(again.GetPixelColor(x, 0), c.back[x]) << c.bitCount << " bits, x " << x;
        EXPECT_EQ(b.GetPixelColor(0, 0), c.cells[0]); // the record keeps its cells
    }
}

TEST(SaveToFile, AFileThatCannotBeCreatedNamesIt) {
    TempFolder folder;
    THandyBitmap b;
    b.NewImage(1, 1, 24);
    const std::string name = folder.Path("no/such/folder/x.bmp");
    EXPECT_FALSE(b.SaveToFile(name));
    EXPECT_EQ(b.ErrorText(), "can't create " + name);
}

TEST(SaveToFile, RefusesARecordNoFileCanHoldWithoutLeavingAFile) {
    TempFolder folder;
    const std::string name = folder.Path("x.bmp");
    THandyBitmap fresh;
    EXPECT_FALSE(fresh.SaveToFile(name));
    EXPECT_EQ(fresh.ErrorText(), "illegal biBitCount");

    THandyBitmap deep;
    deep.NewImage(2, 2, 32);
    EXPECT_FALSE(deep.SaveToFile(name));
    EXPECT_EQ(deep.ErrorText(), "illegal biBitCount");

    // 33,340,000 cells whose 100,020,000 bytes of pixel data were once refused: only the
    // format's 4 GB limit holds now, and the file reads back as written.
    THandyBitmap wide;
    wide.NewImage(10000, 3334, 24);
    ASSERT_EQ(wide.biWidth(), 10000);
    wide.SetPixelColor(9999, 3333, 0x123456);
    ASSERT_TRUE(wide.SaveToFile(name)) << wide.ErrorText();
    EXPECT_EQ(std::filesystem::file_size(name), 54u + 30000u * 3334u);
    THandyBitmap back;
    ASSERT_TRUE(back.LoadFromFile(name)) << back.ErrorText();
    EXPECT_EQ(back.GetPixelColor(9999, 3333), 0x123456);
    EXPECT_EQ(back.GetPixelColor(0, 0), 0);
    wide = THandyBitmap();
    back = THandyBitmap();

    // A failed load that left sizes without their cells.
    THandyBitmap broken;
    broken.NewImage(1, 1, 24);
    ASSERT_TRUE(broken.SaveToFile(name));
    Bytes file = testing::ReadBytes(name);
    file[18] = 100; // width 100, pixel data far too short
    testing::WriteBytes(name, file);
    EXPECT_FALSE(broken.LoadFromFile(name));
    ASSERT_EQ(broken.ErrorText(), "can't read image");
    const std::string other = folder.Path("y.bmp");
    EXPECT_FALSE(broken.SaveToFile(other));
    EXPECT_EQ(broken.ErrorText(), "no image");

    EXPECT_FALSE(std::filesystem::exists(other));
}

TEST(SaveToFile, AFileHeldElsewhereCannotBeCreated) {
    TempFolder folder;
    THandyBitmap b;
    b.NewImage(1, 1, 24);
    ASSERT_TRUE(b.SaveToFile(folder.Path("held.bmp")));
    // A load holds the file only while it reads; a save right after it works.
    THandyBitmap reader;
    ASSERT_TRUE(reader.LoadFromFile(folder.Path("held.bmp")));
    EXPECT_TRUE(b.SaveToFile(folder.Path("held.bmp")));
}

#ifndef _WIN32
// Writes beyond a size limit fail with EFBIG, so each step can be made to come short.
// Windows has no such limit; there a write comes short only on the device below.
class ShortWrites : public ::testing::Test {
  protected:
    void SetUp() override {
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous_), 0);
    }
    void TearDown() override {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }
    // Saves b with files limited to limit bytes; the text, or "ok".
    std::string SaveLimited(THandyBitmap& b, rlim_t limit) {
        rlimit small = previous_;
        small.rlim_cur = limit;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool ok = b.SaveToFile(folder_.Path("limited.bmp"));
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        return ok ? "ok" : b.ErrorText();
    }

    TempFolder folder_;
    rlimit previous_{};
    void (*previousSignal_)(int) = SIG_DFL;
};

TEST_F(ShortWrites, EachStepThatComesShortStopsTheSave) {
    THandyBitmap b;
    b.NewImage(4, 4, 8);
    b.SetPaletteCount(2);
    // 14 + 40 bytes of headers, 8 of table, 16 of pixels: 78 in all.
    EXPECT_EQ(SaveLimited(b, 1), "can't write File Header");
    EXPECT_EQ(SaveLimited(b, 13), "can't write File Header");
    EXPECT_EQ(SaveLimited(b, 14), "can't write Info Header");
    EXPECT_EQ(SaveLimited(b, 53), "can't write Info Header");
    EXPECT_EQ(SaveLimited(b, 54), "");
    EXPECT_EQ(SaveLimited(b, 61), "");
    EXPECT_EQ(SaveLimited(b, 62), "");
    EXPECT_EQ(SaveLimited(b, 77), "");
    EXPECT_EQ(SaveLimited(b, 78), "ok");
    // The record holds the same picture and palette after every failure.
    EXPECT_EQ(b.PaletteCount(), 2);
    EXPECT_EQ(b.GetPixelIndex(3, 3), 0);
}
#endif

TEST(SaveToFile, ADeviceThatRefusesEveryWriteFailsAtTheFileHeader) {
    THandyBitmap b;
    b.NewImage(1, 1, 24);
    EXPECT_FALSE(b.SaveToFile("/dev/full"));
    EXPECT_EQ(b.ErrorText(), "can't write File Header");
}

} // namespace
} // namespace slanter
