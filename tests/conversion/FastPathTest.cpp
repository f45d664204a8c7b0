#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "conversion/ConversionRun.h"
#include "conversion/KeptBlend.h"
#include "conversion/Resampler.h"
#include "conversion/ResultShape.h"
#include "engine/Slanter.h"

namespace slanter {
namespace {

// A picture of noise: neighbours differ in every channel, so every blend weight shows.
// At 8 bits the palette holds only 200 entries, and some cells point past it (colour -1,
// an index that SetPixelIndex refuses).
THandyBitmap Noise(int width, int height, int bitCount) {
    THandyBitmap picture;
    picture.NewImage(width, height, bitCount);
    std::mt19937 random(width * 7919 + height);
    if (bitCount == 8) {
        picture.SetPaletteCount(200);
        for (int i = 0; i < 200; ++i)
            picture.SetPaletteColor(i, static_cast<std::int32_t>(random() & 0xFFFFFF));
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (bitCount == 8)
                picture.SetPixelIndex(x, y, static_cast<std::int32_t>(random() % 200));
            else
                picture.SetPixelColor(x, y, static_cast<std::int32_t>(random() & 0xFFFFFF));
        }
    }
    if (bitCount == 8) {
        // Past the palette: set behind the record's back, as a file can hold it.
        picture.SetPaletteCount(150);
    }
    return picture;
}

// The result as the exact per-pixel way makes it: MapToSource, then one or two reads.
std::int32_t ExactCell(const TSlanter& engine, const THandyBitmap& source,
                       const THandyBitmap& result, bool smoothing, int x, int y) {
    const SourcePosition p = engine.MapToSource({x, y});
    if (smoothing)
        return SmoothedColor(source, p);
    const int ix = static_cast<int>(p.SX);
    const int iy = static_cast<int>(p.SY);
    if (result.PaletteCount() == 0)
        return source.GetPixelColor(ix, iy);
    const std::int32_t index = source.GetPixelIndex(ix, iy);
    return index < result.PaletteCount() ? index : 0; // refused: the cell keeps its 0
}

std::int32_t Cell(const THandyBitmap& result, int x, int y) {
    return result.PaletteCount() == 0 ? result.GetPixelColor(x, y) : result.GetPixelIndex(x, y);
}

// Every pixel of every tile checked, for pictures small and odd-sized to ordinary, both
// arrangements and tilts, plain and smoothed, with one, two and three threads.
TEST(FastPath, WholeTilesMatchTheExactWayForAnyThreadCount) {
    const std::pair<int, int> sizes[] = {{1, 1},   {2, 3},   {5, 3},   {7, 11}, {17, 5},
                                         {40, 30}, {64, 48}, {300, 7}, {3, 130}};
    std::int64_t checked = 0;
    for (const auto& [w, h] : sizes) {
        for (const int bitCount : {24, 8}) {
            const THandyBitmap source = Noise(w, h, bitCount);
            for (const bool horizontal : {true, false}) {
                for (const bool rightUp : {true, false}) {
                    TSlanter engine;
                    engine.SetHorizontal(horizontal);
                    engine.SetRightUp(rightUp);
                    engine.SetSourceSize({w, h});
                    for (int index = 0; index < engine.PatternCount(); index += 11) {
                        engine.SetPatternIndex(index);
                        const TPoint tile = engine.PatternSize(index);
                        if (std::int64_t{tile.X} * tile.Y > 40000)
                            continue;
                        for (const bool smoothing : {false, true}) {
                            for (const int threads : {1, 2, 3}) {
                                RunHooks hooks;
                                hooks.threads = threads;
                                THandyBitmap result;
                                ASSERT_EQ(ComputeResult(engine, source, smoothing, result, hooks),
                                          RunOutcome::Finished);
                                for (int y = 0; y < tile.Y; ++y) {
                                    for (int x = 0; x < tile.X; ++x) {
                                        ASSERT_EQ(
                                            Cell(result, x, y),
                                            ExactCell(engine, source, result, smoothing, x, y))
                                            << w << "x" << h << " bits " << bitCount
                                            << (horizontal ? " rows" : " columns")
                                            << (rightUp ? " right" : " left") << " pattern "
                                            << index << (smoothing ? " smoothed" : "")
                                            << " threads " << threads << " pixel " << x << "," << y;
                                        ++checked;
                                    }
                                }
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(checked, 1'000'000);
}

// The kept plane beside the cells, opacity or 16-bit channels, plain and smoothed: every
// pixel as the exact way makes it, neighbours often of one opacity and often not.
TEST(FastPath, KeptPlanesMatchTheExactWay) {
    for (const int bits : {8, 16}) {
        THandyBitmap source = Noise(40, 30, 24);
        source.Kept().ResetPixels(40, 30, bits, true);
        std::mt19937 random(bits);
        const std::uint32_t top = (1u << bits) - 1;
        for (std::int32_t i = 0; i < 40 * 30; ++i)
            source.Kept().Pixels()[i] = MakeKeptPixel(random() & top, random() & top,
                                                      random() & top, random() % 3 ? top : 0);
        TSlanter engine;
        engine.SetSourceSize({40, 30});
        for (int index = 0; index < engine.PatternCount(); index += 7) {
            engine.SetPatternIndex(index);
            for (const bool smoothing : {false, true}) {
                THandyBitmap result;
                ASSERT_EQ(ComputeResult(engine, source, smoothing, result, {}),
                          RunOutcome::Finished);
                for (int y = 0; y < result.biHeight(); ++y)
                    for (int x = 0; x < result.biWidth(); ++x)
                        ASSERT_EQ(result.Kept().Pixels()[std::int64_t{y} * result.biWidth() + x],
                                  KeptSample(source, engine.MapToSource({x, y}), smoothing, top))
                            << bits << " bits, pattern " << index << ", pixel " << x << "," << y;
            }
        }
    }
}

// The exact way taken for many pixels (a bound widened far past the proven one) mixes
// with the fast way without a seam: same bytes, and the count of exact pixels shows it.
TEST(FastPath, PixelsTheBoundCannotSettleGoTheExactWay) {
    for (const bool smoothing : {false, true}) {
        const THandyBitmap source = Noise(40, 30, 24);
        TSlanter engine;
        engine.SetSourceSize({40, 30});
        engine.SetPatternIndex(5);
        const TPoint tile = engine.PatternSize(5);
        THandyBitmap result;
        ShapeResult(result, source, tile, smoothing);
        TResampler resampler(engine, source, result, smoothing);
        resampler.WidenFastBound(0.05);
        TResampler::Scratch scratch = resampler.MakeScratch(tile.X);
        resampler.ConvertBlock({0, tile.X, 0, tile.Y}, scratch);
        const std::int64_t pixels = std::int64_t{tile.X} * tile.Y;
        EXPECT_GT(scratch.exactPixels, pixels / 20);
        EXPECT_LT(scratch.exactPixels, pixels);
        for (int y = 0; y < tile.Y; ++y)
            for (int x = 0; x < tile.X; ++x)
                ASSERT_EQ(Cell(result, x, y), ExactCell(engine, source, result, smoothing, x, y))
                    << x << "," << y;
    }
}

TEST(FastPath, BandsHoldAboutTheirPixelsAndAtLeastOneRow) {
    EXPECT_EQ(BandRows(1000, 1 << 19), 524);
    EXPECT_EQ(BandRows(1 << 20, 1 << 19), 1);
    EXPECT_EQ(BandRows(0, 100), 100);
}

} // namespace
} // namespace slanter
