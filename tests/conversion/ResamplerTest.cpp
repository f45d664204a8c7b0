#include <set>
#include <string>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "conversion/ConversionRun.h"
#include "conversion/Resampler.h"
#include "engine/Slanter.h"
#include "support/BlockPicture.h"

namespace slanter {
namespace {

using testing::BlockPicture;

struct RunSetup {
    int bitCount;
    bool smoothing;
    bool horizontal;
    bool rightUp;
};

std::string Describe(const RunSetup& s, int pattern) {
    return std::to_string(s.bitCount) + " bits" + (s.smoothing ? " smoothed" : "") +
           (s.horizontal ? " rows" : " columns") + (s.rightUp ? " right" : " left") + " pattern " +
           std::to_string(pattern);
}

THandyBitmap Convert(const TSlanter& engine, const THandyBitmap& source, bool smoothing) {
    THandyBitmap result;
    EXPECT_EQ(ComputeResult(engine, source, smoothing, result, {}), RunOutcome::Finished);
    return result;
}

// Away from block borders every result pixel shows the block under its mapped centre,
// and the pixel one tile further (the next copy of the tile, laid as wallpaper) shows
// what the layout has there: no seam.
TEST(Resampler, TilesShowTheirBlocksAndMeetWithoutSeams) {
    for (const int bitCount : {1, 4, 8, 16, 24}) {
        for (const bool smoothing : {false, true}) {
            for (const auto& [horizontal, rightUp] :
                 {std::pair{true, true}, std::pair{true, false}, std::pair{false, true},
                  std::pair{false, false}}) {
                const RunSetup setup{bitCount, smoothing, horizontal, rightUp};
                const BlockPicture picture(40, 30, bitCount, 10);
                TSlanter engine;
                engine.SetHorizontal(horizontal);
                engine.SetRightUp(rightUp);
                engine.SetSourceSize({40, 30});
                const double margin = smoothing ? 2.25 : 1.25;
                for (int pattern = 0; pattern < engine.PatternCount(); pattern += 9) {
                    engine.SetPatternIndex(pattern);
                    const THandyBitmap result = Convert(engine, picture.Bitmap(), smoothing);
                    const TPoint size = engine.PatternSize(pattern);
                    ASSERT_EQ(result.biWidth(), size.X);
                    ASSERT_EQ(result.biHeight(), size.Y);
                    int checked = 0;
                    int wrong = 0;
                    const auto check = [&](TPoint shown, TPoint mapped) {
                        const SourcePosition p = engine.MapToSource(mapped);
                        if (!picture.IsInsideBlock(p.SX, p.SY, margin))
                            return;
                        ++checked;
                        wrong +=
                            result.GetPixelColor(shown.X, shown.Y) != picture.ColorAt(p.SX, p.SY);
                    };
                    for (int y = 0; y < size.Y; ++y)
                        for (int x = 0; x < size.X; ++x)
                            check({x, y}, {x, y});
                    for (int y = 0; y < size.Y; ++y)
                        check({0, y}, {size.X, y});
                    for (int x = 0; x < size.X; ++x)
                        check({x, 0}, {x, size.Y});
                    EXPECT_EQ(wrong, 0) << Describe(setup, pattern);
                    EXPECT_GT(checked, size.X * size.Y / 4) << Describe(setup, pattern);
                }
            }
        }
    }
}

TSlanter EngineFor(const THandyBitmap& source, int pattern) {
    TSlanter engine;
    engine.SetSourceSize({source.biWidth(), source.biHeight()});
    engine.SetPatternIndex(pattern);
    return engine;
}

TEST(Resampler, PlainIndexedSourceKeepsDepthPaletteAndIndices) {
    for (const int bitCount : {1, 4, 8}) {
        const BlockPicture picture(24, 16, bitCount, 4);
        const TSlanter engine = EngineFor(picture.Bitmap(), 3);
        const THandyBitmap result = Convert(engine, picture.Bitmap(), false);
        EXPECT_EQ(result.biBitCount(), bitCount);
        ASSERT_EQ(result.PaletteCount(), picture.Bitmap().PaletteCount());
        for (int i = 0; i < result.PaletteCount(); ++i)
            EXPECT_EQ(result.GetPaletteColor(i), picture.Bitmap().GetPaletteColor(i));
        for (int y = 0; y < result.biHeight(); ++y) {
            for (int x = 0; x < result.biWidth(); ++x) {
                const SourcePosition p = engine.MapToSource({x, y});
                ASSERT_EQ(result.GetPixelIndex(x, y),
                          picture.Bitmap().GetPixelIndex(int(p.SX), int(p.SY)));
            }
        }
    }
}

TEST(Resampler, PlainTrueColourSourcesKeepTheirDepthWithoutPalette) {
    for (const int bitCount : {16, 24}) {
        const BlockPicture picture(24, 16, bitCount, 4);
        const THandyBitmap result =
            Convert(EngineFor(picture.Bitmap(), 0), picture.Bitmap(), false);
        EXPECT_EQ(result.biBitCount(), bitCount);
        EXPECT_EQ(result.PaletteCount(), 0);
    }
}

TEST(Resampler, SmoothedOneBitSourceGivesTwentyFourBitsWithBlends) {
    const BlockPicture picture(24, 16, 1, 4);
    const THandyBitmap result = Convert(EngineFor(picture.Bitmap(), 0), picture.Bitmap(), true);
    EXPECT_EQ(result.biBitCount(), 24);
    EXPECT_EQ(result.PaletteCount(), 0);
    const std::set<std::int32_t> palette{picture.Bitmap().GetPaletteColor(0),
                                         picture.Bitmap().GetPaletteColor(1)};
    int blends = 0;
    for (int y = 0; y < result.biHeight(); ++y)
        for (int x = 0; x < result.biWidth(); ++x)
            blends += palette.count(result.GetPixelColor(x, y)) == 0;
    EXPECT_GT(blends, 0);
}

class SmoothedColorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        source.NewImage(3, 3, 24);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                source.SetPixelColor(x, y, Color(x, y));
    }
    static std::int32_t Color(int x, int y) { return 200 - 99 * x + ((10 + 40 * y) << 8); }
    THandyBitmap source;
};

TEST_F(SmoothedColorTest, BlendsAcrossTheNearestEdgeAndClampsAtTheBorder) {
    // The centre zone gives the pixel itself.
    EXPECT_EQ(SmoothedColor(source, {1.5, 1.5}), Color(1, 1));
    // On the left edge of column 1: an exact half blend of 101 and 200 in red.
    EXPECT_EQ(SmoothedColor(source, {1.0, 1.5}), 150 | (Color(1, 1) & 0xFF00));
    // Along the picture's border the neighbour is the pixel itself.
    EXPECT_EQ(SmoothedColor(source, {0.0, 1.5}), Color(0, 1));
    EXPECT_EQ(SmoothedColor(source, {2.9, 1.5}), Color(2, 1));
    EXPECT_EQ(SmoothedColor(source, {1.5, 0.05}), Color(1, 0));
    EXPECT_EQ(SmoothedColor(source, {1.5, 2.95}), Color(1, 2));
    // Inside the picture the same edge does blend: green 50 and 90 at w = 3/4 give 60.
    EXPECT_EQ(SmoothedColor(source, {1.5, 1.875}) >> 8 & 255, 60);
}

} // namespace
} // namespace slanter
