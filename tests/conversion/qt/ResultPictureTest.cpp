#include <cstdint>
#include <string>

#include <QImage>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "conversion/ResultShape.h"
#include "engine/Slanter.h"
#include "shell/qt/ResultPicture.h"
#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

// A cell value that differs between neighbours along both sides and wraps at `count`.
std::int32_t Cell(int x, int y, std::int64_t count) {
    return static_cast<std::int32_t>((std::int64_t{x} * 7 + std::int64_t{y} * 13) % count);
}

// Files of the largest tiles the engine makes, read back and checked pixel by pixel. Qt's
// own reader refuses anything over its allocation limit (a picture of 128 MB at 32 bits a
// pixel), and the writer once refused pixel data beyond 100,000,000 bytes, so the 24-bit one
// (300 MB) was lost twice over.
TEST(ResultPicture, TheLargestResultsTheEngineMakesAreReadBackAtEveryDepth) {
    const testing::TempFolder folder;
    struct Largest {
        int depth;
        TPoint size;
    };
    const int side = TSlanter::kMaxTileSide;
    // Only what the format's 32-bit sizes cannot hold is refused.
    ASSERT_FALSE(ResultFitsInFile({37838, 37838}, 24));
    for (const Largest largest : {Largest{1, {side, side}}, Largest{4, {side, side}},
                                  Largest{8, {side, side}}, Largest{24, {side, side}}}) {
        const int depth = largest.depth;
        const TPoint size = largest.size;
        ASSERT_TRUE(ResultFitsInFile(size, depth)) << depth;
        const std::string file = folder.Path("largest" + std::to_string(depth) + ".bmp");
        const std::int64_t values = depth == 24 ? 1 << 24 : 1 << depth;
        {
            THandyBitmap result;
            result.NewImage(size.X, size.Y, depth);
            ASSERT_EQ(result.biWidth(), size.X);
            if (depth < 24) {
                result.SetPaletteCount(result.MaxColors());
                for (int i = 0; i < result.PaletteCount(); ++i)
                    result.SetPaletteColor(i, i * 0x010305);
            }
            for (int y = 0; y < size.Y; ++y) {
                for (int x = 0; x < size.X; ++x) {
                    if (depth < 24)
                        result.SetPixelIndex(x, y, Cell(x, y, values));
                    else
                        result.SetPixelColor(x, y, Cell(x, y, values));
                }
            }
            ASSERT_TRUE(result.SaveToFile(file)) << result.ErrorText();
        }
        const ReadBackPicture read = ReadResultPicture(file);
        ASSERT_FALSE(read.image.isNull()) << depth << ": " << read.error;
        ASSERT_EQ(read.image.size(), QSize(size.X, size.Y));
        int wrong = 0;
        for (int y = 0; y < size.Y && wrong < 10; ++y) {
            // The file's first row is the picture's bottom row.
            const uchar* line = read.image.constScanLine(size.Y - 1 - y);
            for (int x = 0; x < size.X; ++x) {
                const std::int32_t cell = Cell(x, y, values);
                const QRgb colour = depth < 24 ? read.image.color(line[x])
                                               : reinterpret_cast<const QRgb*>(line)[x] & RGB_MASK;
                const std::int32_t value = depth < 24 ? cell * 0x010305 : cell;
                const QRgb expected =
                    qRgb(value & 0xFF, value >> 8 & 0xFF, value >> 16 & 0xFF) & RGB_MASK;
                if ((colour & RGB_MASK) != expected && ++wrong < 10)
                    ADD_FAILURE() << depth << " bits, pixel " << x << "," << y;
            }
        }
    }
}

TEST(ResultPicture, SmallResultsReadAsQtsOwnReaderReadsThemAtEveryDepth) {
    const testing::TempFolder folder;
    for (const int depth : {1, 4, 8, 16, 24}) {
        const std::string file = folder.Path("small.bmp");
        THandyBitmap result = testing::PatternedBitmap(depth, 19, 7);
        ASSERT_TRUE(result.SaveToFile(file)) << result.ErrorText();
        const ReadBackPicture read = ReadResultPicture(file);
        ASSERT_FALSE(read.image.isNull()) << read.error;
        EXPECT_EQ(read.image.convertToFormat(QImage::Format_RGB32),
                  QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32))
            << depth;
        // Indexed results keep their palette, for the clipboard.
        EXPECT_EQ(read.image.colorCount(), depth < 16 ? 1 << depth : 0) << depth;
    }
}

TEST(ResultPicture, APaletteShorterThanTheDepthIsPaddedSoNoIndexPointsPastIt) {
    THandyBitmap result;
    result.NewImage(2, 2, 4);
    result.SetPaletteCount(2);
    result.SetPaletteColor(0, 0x0000FF);
    result.SetPaletteColor(1, 0x00FF00);
    result.SetPixelIndex(1, 0, 1);
    const QImage picture = PictureOf(result);
    ASSERT_EQ(picture.colorCount(), 16);
    EXPECT_EQ(picture.color(15), qRgb(0, 0, 0));
    // Row 0 of the record is the bottom row.
    EXPECT_EQ(picture.pixel(1, 1), qRgb(0, 255, 0));
    EXPECT_EQ(picture.pixel(1, 0), qRgb(255, 0, 0));
}

} // namespace
} // namespace slanter
