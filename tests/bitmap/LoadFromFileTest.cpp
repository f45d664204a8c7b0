#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "support/BmpBuilder.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

using testing::BmpLayout;
using testing::Bytes;
using testing::PaddedRows;
using testing::Quad;
using testing::TableOf;
using testing::TempFolder;

const std::string kBitCountMust = " (must be 2, 4, 8, 16, or 24)";

struct Loaded {
    bool ok = false;
    std::string text;
    THandyBitmap bitmap;
};

Loaded LoadInto(THandyBitmap bitmap, const Bytes& bytes) {
    TempFolder folder;
    testing::WriteBytes(folder.Path("in.bmp"), bytes);
    Loaded loaded;
    loaded.ok = bitmap.LoadFromFile(folder.Path("in.bmp"));
    loaded.text = bitmap.ErrorText();
    loaded.bitmap = std::move(bitmap);
    return loaded;
}

Loaded Load(const Bytes& bytes) {
    return LoadInto(THandyBitmap(), bytes);
}

// 3 x 2 at 24 bits: rows of 9 bytes padded to 12.
BmpLayout Small24() {
    BmpLayout layout;
    layout.width = 3;
    layout.height = 2;
    layout.bitCount = 24;
    layout.image =
        PaddedRows({{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18}}, 12);
    return layout;
}

// 4 x 2 at 8 bits with a table of 256 entries.
BmpLayout Small8() {
    BmpLayout layout;
    layout.width = 4;
    layout.height = 2;
    layout.bitCount = 8;
    std::vector<Quad> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = {static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(255 - i), 0};
    layout.table = TableOf(table);
    layout.clrUsed = 0;
    layout.image = {0, 1, 2, 3, 252, 253, 254, 255};
    return layout;
}

Bytes With(BmpLayout layout, auto change) {
    change(layout);
    return testing::BuildBmp(layout);
}

Bytes Cut(Bytes bytes, std::size_t length) {
    bytes.resize(length);
    return bytes;
}

struct Refusal {
    const char* what;
    Bytes file;
    std::string text;
};

TEST(LoadFromFile, EachFaultGetsItsTextInTheOrderTheChecksAreMade) {
    const Bytes good = testing::BuildBmp(Small24());
    const std::vector<Refusal> refusals = {
        {"empty file", {}, "can't read bfType"},
        {"one byte", {'B'}, "can't read bfType"},
        {"two bytes", {'B', 'M'}, "can't read File Header"},
        {"thirteen bytes, not BM", Cut(Bytes(13, 'x'), 13), "can't read File Header"},
        {"thirteen bytes of a good file", Cut(good, 13), "can't read File Header"},
        {"signature BN", With(Small24(), [](auto& l) { l.type = 0x4E42; }), "header isn't \"BM\""},
        {"signature and offset both wrong",
         With(Small24(), [](auto& l) { l.type = 0x4D4D, l.offBits = 10; }), "header isn't \"BM\""},
        {"offset 53, size wrong too", With(Small24(), [](auto& l) { l.offBits = 53, l.size = 7; }),
         "illegal bfOffBits"},
        {"negative offset", With(Small24(), [](auto& l) { l.offBits = -54; }), "illegal bfOffBits"},
        {"file two bytes longer than recorded",
         With(Small24(),
              [](auto& l) {
                  l.trailing = {0, 0};
                  l.size = 54 + 24;
              }),
         "illegal bfSize"},
        {"file one byte shorter than recorded", With(Small24(), [](auto& l) { l.size = 79; }),
         "illegal bfSize"},
        {"size checked before the info header",
         With(Small24(), [](auto& l) { l.size = 1, l.infoSize = 12; }), "illegal bfSize"},
        {"39 bytes of info header", Cut(With(Small24(), [](auto& l) { l.size = 53; }), 53),
         "can't read InfoHeader"},
        {"108-byte info header", With(Small24(), [](auto& l) { l.infoSize = 108; }),
         "illegal biSize"},
        {"124-byte info header", With(Small24(), [](auto& l) { l.infoSize = 124; }),
         "illegal biSize"},
        {"two planes", With(Small24(), [](auto& l) { l.planes = 2; }), "biPlanes isn't 1"},
        {"planes checked before depth",
         With(Small24(), [](auto& l) { l.planes = 0, l.bitCount = 3; }), "biPlanes isn't 1"},
        {"2 bits", With(Small24(), [](auto& l) { l.bitCount = 2; }),
         "biBitCount is 2" + kBitCountMust},
        {"32 bits", With(Small24(), [](auto& l) { l.bitCount = 32; }),
         "biBitCount is 32" + kBitCountMust},
        {"0 bits", With(Small24(), [](auto& l) { l.bitCount = 0; }),
         "biBitCount is 0" + kBitCountMust},
        {"65535 bits and compressed",
         With(Small24(), [](auto& l) { l.bitCount = 65535, l.compression = 1; }),
         "biBitCount is 65535" + kBitCountMust},
        {"run-length 8 bits", With(Small8(), [](auto& l) { l.compression = 1; }), "compressed"},
        {"16 bits with bit-field masks",
         With(Small24(), [](auto& l) { l.bitCount = 16, l.compression = 3, l.image.resize(16); }),
         "compressed"},
        {"24 bits with 4 spare bytes, no colour count",
         With(Small24(),
              [](auto& l) {
                  l.table = {1, 2, 3, 4}, l.clrUsed = 0;
              }),
         "illegal Pallete Count"},
        {"8 bits, 16 colours but room for 17",
         With(Small8(), [](auto& l) { l.clrUsed = 16, l.table.resize(17 * 4); }),
         "illegal Pallete Count"},
        {"negative colour count", With(Small8(), [](auto& l) { l.clrUsed = -1; }),
         "illegal Pallete Count"},
        {"colour count whose room overflows 32 bits",
         With(Small8(), [](auto& l) { l.clrUsed = 0x40000010, l.table.resize(64); }),
         "illegal Pallete Count"},
        {"table longer than the file",
         With(Small8(),
              [](auto& l) { l.offBits = 54 + 1024, l.table.resize(100), l.image.clear(); }),
         "can't read palette"},
        {"pixel data one byte short", With(Small24(), [](auto& l) { l.image.pop_back(); }),
         "can't read image"},
        {"no pixel data", With(Small24(), [](auto& l) { l.image.clear(); }), "can't read image"},
        {"rows stored top down", With(Small24(), [](auto& l) { l.height = -2; }),
         "can't read image"},
        {"negative width", With(Small24(), [](auto& l) { l.width = -3; }), "can't read image"},
        {"negative width, no rows",
         With(Small24(), [](auto& l) { l.width = -3, l.height = 0, l.image.clear(); }),
         "can't read image"},
        // Beyond these the format itself has no room: a cell count past 32 bits, pixel
        // data past the 4 GB that the header's size field counts.
        {"more pixels than 32 bits count",
         With(Small24(), [](auto& l) { l.bitCount = 1, l.width = 65536, l.height = 32769; }),
         "image too large"},
        {"more pixel data than a file of 4 GB holds",
         With(Small24(), [](auto& l) { l.width = 40000, l.height = 35792; }), "image too large"},
        // Refused once as too large, now for what they are: pixel data that is not there.
        {"more than 100,000,000 pixels, data missing",
         With(Small24(), [](auto& l) { l.bitCount = 1, l.width = 20000, l.height = 5001; }),
         "can't read image"},
        {"more than 100,000,000 bytes of pixel data, data missing",
         With(Small24(), [](auto& l) { l.width = 10000, l.height = 3334; }), "can't read image"},
        {"a row that 32 bits cannot count, no rows",
         With(Small24(), [](auto& l) { l.width = INT32_MAX, l.height = 0, l.image.clear(); }),
         "image too large"},
        {"width times height beyond 32 bits",
         With(Small24(), [](auto& l) { l.width = 65536, l.height = 65536; }), "image too large"},
        {"row bytes times height beyond 64 bits",
         With(Small24(), [](auto& l) { l.width = INT32_MAX, l.height = INT32_MAX; }),
         "image too large"},
    };
    for (const Refusal& refusal : refusals) {
        const Loaded loaded = Load(refusal.file);
        EXPECT_FALSE(loaded.ok) << refusal.what;
        EXPECT_EQ(loaded.text, refusal.text) << refusal.what;
    }
}

TEST(LoadFromFile, AMissingFileCannotBeOpened) {
    TempFolder folder;
    THandyBitmap bitmap;
    const std::string name = folder.Path("missing.bmp");
    EXPECT_FALSE(bitmap.LoadFromFile(name));
    EXPECT_EQ(bitmap.ErrorText(), "can't open " + name);
    EXPECT_FALSE(bitmap.LoadFromFile(folder.Path()));
    EXPECT_EQ(bitmap.ErrorText(), "can't open " + folder.Path());
}

TEST(LoadFromFile, AFileOneByteLongerThanRecordedLoads) {
    const Loaded loaded = Load(With(Small24(), [](auto& l) { l.trailing = {0}, l.size = 78; }));
    EXPECT_TRUE(loaded.ok) << loaded.text;
    EXPECT_EQ(loaded.text, "");
}

TEST(LoadFromFile, TwentyFourBitsBecomeColourValuesInStoredRowOrder) {
    const Loaded loaded = Load(testing::BuildBmp(Small24()));
    ASSERT_TRUE(loaded.ok) << loaded.text;
    const THandyBitmap& b = loaded.bitmap;
    EXPECT_EQ(b.biWidth(), 3);
    EXPECT_EQ(b.biHeight(), 2);
    EXPECT_EQ(b.biBitCount(), 24);
    EXPECT_EQ(b.MaxColors(), 16'777'216);
    EXPECT_EQ(b.PaletteCount(), 0);
    // Bytes blue 1, green 2, red 3 of the first stored row: red in the lowest byte.
    EXPECT_EQ(b.GetPixelColor(0, 0), 0x010203);
    EXPECT_EQ(b.GetPixelColor(2, 0), 0x070809);
    EXPECT_EQ(b.GetPixelColor(0, 1), 0x0A0B0C);
    EXPECT_EQ(b.GetPixelColor(2, 1), 0x101112);
}

TEST(LoadFromFile, OneBitWithATwoEntryTable) {
    BmpLayout layout;
    layout.width = 10;
    layout.height = 1;
    layout.bitCount = 1;
    layout.table = TableOf({{0, 0, 0, 0}, {255, 255, 255, 0}});
    layout.image = PaddedRows({{0b10110000, 0b01000000}}, 4);
    const Bytes file = testing::BuildBmp(layout);
    ASSERT_EQ(testing::I32At(file, 10), 62);
    const Loaded loaded = Load(file);
    ASSERT_TRUE(loaded.ok) << loaded.text;
    EXPECT_EQ(loaded.bitmap.PaletteCount(), 2);
    EXPECT_EQ(loaded.bitmap.MaxColors(), 2);
    const int expected[10] = {1, 0, 1, 1, 0, 0, 0, 0, 0, 1};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(loaded.bitmap.GetPixelIndex(x, 0), expected[x]) << x;
    EXPECT_EQ(loaded.bitmap.GetPixelColor(0, 0), 0xFFFFFF);
}

TEST(LoadFromFile, TheTableSizeFollowsTheOffsetAndTheColourCount) {
    const Loaded full = Load(testing::BuildBmp(Small8()));
    ASSERT_TRUE(full.ok) << full.text;
    EXPECT_EQ(full.bitmap.PaletteCount(), 256);
    EXPECT_EQ(full.bitmap.GetPaletteColor(255), 255 << 16);

    const Loaded sixteen = Load(With(Small8(), [](auto& l) {
        l.clrUsed = 16;
        l.table.resize(16 * 4);
    }));
    ASSERT_TRUE(sixteen.ok) << sixteen.text;
    EXPECT_EQ(testing::BuildBmp(Small8()).size() - 240 * 4, 54 + 16 * 4 + 8u);
    EXPECT_EQ(sixteen.bitmap.PaletteCount(), 16);
    // Cells are not checked against the table: 252 stays 252, without a colour.
    EXPECT_EQ(sixteen.bitmap.GetPixelIndex(0, 1), 252);
    EXPECT_EQ(sixteen.bitmap.GetPixelColor(0, 1), -1);

    // Offset 54 means no table whatever the colour count says; the bytes are colours.
    const Loaded bare = Load(With(Small8(), [](auto& l) {
        l.clrUsed = 256;
        l.table.clear();
    }));
    ASSERT_TRUE(bare.ok) << bare.text;
    EXPECT_EQ(bare.bitmap.PaletteCount(), 0);
    EXPECT_EQ(bare.bitmap.GetPixelColor(1, 1), 253);
    EXPECT_EQ(bare.bitmap.GetPixelIndex(1, 1), -1);
}

TEST(LoadFromFile, ATableEntryIsBlueGreenRedReserved) {
    const Loaded loaded = Load(With(Small8(), [](auto& l) {
        l.clrUsed = 1;
        l.table = TableOf({{0x10, 0x20, 0x30, 0x40}});
        l.image.assign(8, 0);
    }));
    ASSERT_TRUE(loaded.ok) << loaded.text;
    EXPECT_EQ(loaded.bitmap.GetPaletteColor(0), 0x102030);
    // The reserved byte plays no part, even with its top bit set.
    const Loaded high = Load(With(Small8(), [](auto& l) {
        l.clrUsed = 1;
        l.table = TableOf({{0x10, 0x20, 0x30, 0xFF}});
        l.image.assign(8, 0);
    }));
    ASSERT_TRUE(high.ok) << high.text;
    EXPECT_EQ(high.bitmap.GetPaletteColor(0), 0x102030);
}

TEST(LoadFromFile, ATableBesideColourCellsIsNotKept) {
    // 24 bits with two table entries: the cells stay colours, read directly.
    const Loaded loaded = Load(With(Small24(), [](auto& l) {
        l.table = TableOf({{9, 9, 9, 0}, {8, 8, 8, 0}});
        l.clrUsed = 2;
    }));
    ASSERT_TRUE(loaded.ok) << loaded.text;
    EXPECT_EQ(loaded.bitmap.PaletteCount(), 0);
    EXPECT_EQ(loaded.bitmap.GetPaletteColor(0), -1);
    EXPECT_EQ(loaded.bitmap.GetPixelColor(0, 0), 0x010203);
    // Still read, and still checked: a short table is a fault.
    const Loaded shortTable = Load(With(Small24(), [](auto& l) {
        l.clrUsed = 2;
        l.offBits = 62;
        l.image.clear();
        l.table = {1, 2, 3};
    }));
    EXPECT_EQ(shortTable.text, "can't read palette");
}

TEST(LoadFromFile, SixteenBitsComeInAsFiveBitsTimesEight) {
    BmpLayout layout;
    layout.width = 3;
    layout.height = 1;
    layout.bitCount = 16;
    // Red 25, green 12, blue 6 with bit 15 set, then pure blue, then pure red.
    layout.image = PaddedRows({{0x86, 0xE5, 0x1F, 0x00, 0x00, 0x7C}}, 8);
    const Loaded loaded = Load(testing::BuildBmp(layout));
    ASSERT_TRUE(loaded.ok) << loaded.text;
    EXPECT_EQ(loaded.bitmap.GetPixelColor(0, 0), 200 | 96 << 8 | 48 << 16);
    EXPECT_EQ(loaded.bitmap.GetPixelColor(1, 0), 248 << 16);
    EXPECT_EQ(loaded.bitmap.GetPixelColor(2, 0), 248);
}

TEST(LoadFromFile, ThePixelDataIsExactlyHeightRowsOfRowBytes) {
    struct Case {
        std::uint16_t bitCount;
        std::int32_t width;
        std::size_t rowBytes;
    };
    for (const Case c : {Case{24, 3, 12}, Case{1, 1, 4}, Case{4, 9, 8}, Case{16, 3, 8},
                         Case{8, 5, 8}, Case{24, 2800, 8400}, Case{1, 33, 8}}) {
        BmpLayout layout;
        layout.width = c.width;
        layout.height = 3;
        layout.bitCount = c.bitCount;
        layout.sizeImage = 12345; // the file's own figure plays no part
        if (c.bitCount <= 8)
            layout.table = TableOf(std::vector<Quad>(std::size_t{1} << c.bitCount));
        layout.image.assign(3 * c.rowBytes, 0);
        EXPECT_TRUE(Load(testing::BuildBmp(layout)).ok) << c.bitCount << " bits " << c.width;
        layout.image.pop_back();
        EXPECT_EQ(Load(testing::BuildBmp(layout)).text, "can't read image")
            << c.bitCount << " bits " << c.width;
    }
}

TEST(LoadFromFile, AZeroSideGivesAPictureWithoutPixels) {
    for (const auto& [width, height] : {std::pair{0, 5}, std::pair{5, 0}}) {
        const Loaded loaded = Load(With(Small24(), [&](auto& l) {
            l.width = width;
            l.height = height;
            l.image.clear();
        }));
        ASSERT_TRUE(loaded.ok) << loaded.text;
        EXPECT_EQ(loaded.bitmap.biWidth(), width);
        EXPECT_EQ(loaded.bitmap.biHeight(), height);
        EXPECT_EQ(loaded.bitmap.GetPixelColor(0, 0), -1);
    }
}

TEST(LoadFromFile, KeepsTheResolutionAndReplacesTheRecordedImageSize) {
    const Loaded loaded = Load(With(Small24(), [](auto& l) {
        l.xPelsPerMeter = 3780;
        l.yPelsPerMeter = -2;
        l.clrImportant = 77;
        l.sizeImage = 0;
    }));
    ASSERT_TRUE(loaded.ok) << loaded.text;
    const TBmpInfoHeader& info = loaded.bitmap.InfoHeader();
    EXPECT_EQ(info.biXPelsPerMeter, 3780);
    EXPECT_EQ(info.biYPelsPerMeter, -2);
    EXPECT_EQ(info.biClrImportant, 77);
    EXPECT_EQ(info.biSizeImage, 24);
}

TEST(LoadFromFile, ALoadReplacesThePreviousPicture) {
    Loaded first = Load(testing::BuildBmp(Small8()));
    ASSERT_TRUE(first.ok);
    const Loaded second = LoadInto(std::move(first.bitmap), testing::BuildBmp(Small24()));
    ASSERT_TRUE(second.ok) << second.text;
    EXPECT_EQ(second.bitmap.PaletteCount(), 0);
    EXPECT_EQ(second.bitmap.biWidth(), 3);
    EXPECT_EQ(second.bitmap.GetPixelColor(0, 0), 0x010203);
}

// Whatever a failed load left behind, every operation stays inside the arrays held
// (the sanitizer build checks each access) and a save either refuses or writes a file
// that loads again.
TEST(LoadFromFile, AFailedLoadLeavesARecordThatIsSafeToTouch) {
    const std::vector<Bytes> failures = {
        With(Small24(), [](auto& l) { l.width = 1000, l.height = 1000; }),
        With(Small8(), [](auto& l) { l.clrUsed = 50'000'000; }),
        With(Small8(), [](auto& l) { l.clrUsed = 300; }),
        With(Small8(), [](auto& l) { l.compression = 1, l.width = 99; }),
        With(Small24(), [](auto& l) { l.height = -100000; }),
        With(Small8(), [](auto& l) { l.offBits = 54 + 1024, l.table.resize(100); }),
        With(Small24(), [](auto& l) { l.bitCount = 1, l.width = 20000, l.height = 5001; }),
    };
    TempFolder folder;
    for (const Bytes& start : {testing::BuildBmp(Small8()), testing::BuildBmp(Small24())}) {
        for (std::size_t k = 0; k < failures.size(); ++k) {
            Loaded loaded = Load(start);
            ASSERT_TRUE(loaded.ok);
            loaded = LoadInto(std::move(loaded.bitmap), failures[k]);
            ASSERT_FALSE(loaded.ok) << k;
            THandyBitmap& b = loaded.bitmap;
            for (int y = -1; y <= 1001; y += 3) {
                for (int x = -1; x <= 1001; x += 7) {
                    b.SetPixelIndex(x, y, b.GetPixelIndex(x, y));
                    b.SetPixelColor(x, y, b.GetPixelColor(x, y));
                }
            }
            for (int i = -1; i < 300; ++i)
                b.SetPaletteColor(i, b.GetPaletteColor(i));
            const std::string out = folder.Path("out" + std::to_string(k) + ".bmp");
            if (b.SaveToFile(out)) {
                THandyBitmap again;
                EXPECT_TRUE(again.LoadFromFile(out)) << k << ": " << again.ErrorText();
            } else {
                EXPECT_FALSE(b.ErrorText().empty()) << k;
            }
        }
    }
}

} // namespace
} // namespace slanter
