// The kept plane through the conversion: opacity and deep channels follow the cells.
#include <cmath>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "conversion/ConversionRun.h"
#include "conversion/EdgeBlend.h"
#include "conversion/KeptBlend.h"
#include "engine/Slanter.h"

namespace slanter {
namespace {

constexpr std::int32_t kWidth = 13;
constexpr std::int32_t kHeight = 9;

// A different colour in every cell, its opacity a function of the colour alone.
std::uint32_t AlphaOf(std::int32_t color) {
    return static_cast<std::uint32_t>(color * 37 % 256);
}

THandyBitmap TransparentPicture() {
    THandyBitmap picture;
    picture.NewImage(kWidth, kHeight, 24);
    picture.Kept().ResetPixels(kWidth, kHeight, 8, true);
    for (std::int32_t y = 0; y < kHeight; ++y)
        for (std::int32_t x = 0; x < kWidth; ++x) {
            const std::int32_t color = (x * 19) | (y * 27) << 8 | ((x + y) * 9) << 16;
            picture.SetPixelColor(x, y, color);
            picture.Kept().Pixels()[y * kWidth + x] =
                MakeKeptPixel(color & 255, color >> 8 & 255, color >> 16, AlphaOf(color));
        }
    return picture;
}

// Sixteen-bit channels 257 times the cells' 8-bit ones, opaque.
THandyBitmap DeepPicture() {
    THandyBitmap picture;
    picture.NewImage(kWidth, kHeight, 24);
    picture.Kept().ResetPixels(kWidth, kHeight, 16, false);
    for (std::int32_t y = 0; y < kHeight; ++y)
        for (std::int32_t x = 0; x < kWidth; ++x) {
            const std::uint32_t r = x * 19, g = y * 27, b = (x * y * 7) % 256;
            picture.SetPixelColor(x, y, static_cast<std::int32_t>(r | g << 8 | b << 16));
            picture.Kept().Pixels()[y * kWidth + x] =
                MakeKeptPixel(257 * r, 257 * g, 257 * b, 0xFFFF);
        }
    return picture;
}

template <typename Check>
void ForEveryPattern(const THandyBitmap& source, bool smoothing, Check check) {
    TSlanter engine;
    engine.SetSourceSize({kWidth, kHeight});
    ASSERT_GT(engine.PatternCount(), 0);
    for (int pattern = 0; pattern < engine.PatternCount(); ++pattern) {
        engine.SetPatternIndex(pattern);
        THandyBitmap result;
        ASSERT_EQ(ComputeResult(engine, source, smoothing, result, {}), RunOutcome::Finished);
        ASSERT_TRUE(result.Kept().HasPixels());
        for (std::int32_t y = 0; y < result.biHeight(); ++y)
            for (std::int32_t x = 0; x < result.biWidth(); ++x)
                check(result.GetPixelColor(x, y),
                      result.Kept().Pixels()[std::int64_t{y} * result.biWidth() + x],
                      "pattern " + std::to_string(pattern));
    }
}

// Hand-worked: own opaque red, neighbour clear blue, w = 3/4. Opacity 3/4 x 255 = 191.25,
// red 255 x 255 x 3/4 / 191.25 = 255, blue 0: a straight blend would give a bluish fringe.
TEST(KeptBlend, AnOpaquePixelBesideAClearOneKeepsItsColour) {
    EXPECT_EQ(BlendKept(MakeKeptPixel(255, 0, 0, 255), MakeKeptPixel(0, 0, 255, 0), 0.75, 255),
              MakeKeptPixel(255, 0, 0, 191));
}

TEST(KeptBlend, PixelsOfOneOpacityBlendAsTheCellsDo) {
    for (const double w : {0.5, 0.5703125, 0.75, 0.9990234375, 1.0})
        for (const std::int32_t own : {0x0A14F0, 0xFFFFFF, 0x123456})
            for (const std::int32_t other : {0x000000, 0x7F80FF, 0x654321}) {
                const auto kept = [](std::int32_t c) {
                    return MakeKeptPixel(c & 255, c >> 8 & 255, c >> 16, 255);
                };
                const std::int32_t cells = BlendColors(own, other, w);
                EXPECT_EQ(BlendKept(kept(own), kept(other), w, 255), kept(cells)) << w;
            }
}

// Weights of few bits make every product exact in doubles: the blend of 16-bit channels,
// rising or falling, is the floor of the exact value.
TEST(KeptBlend, SixteenBitChannelsBlendToTheFloorOfTheExactValue) {
    int wrong = 0;
    for (const double w : {0.5, 0.5703125, 0.75, 0.9990234375})
        for (std::uint32_t own = 0; own < 65536; own += 4099)
            for (std::uint32_t other = 7; other < 65536; other += 5231) {
                const auto exact =
                    static_cast<std::uint32_t>(std::floor(other + (double(own) - other) * w));
                const KeptPixel blended = BlendKept(MakeKeptPixel(own, own, own, 9),
                                                    MakeKeptPixel(other, own, other, 9), w, 65535);
                wrong += KeptChannel(blended, 0) != exact || KeptChannel(blended, 1) != own;
            }
    EXPECT_EQ(wrong, 0);
}

// Each result pixel's opacity is the one of the source pixel whose colour the cell took:
// the tile repeats in its opacity exactly as in its colours, seams included.
TEST(KeptConversion, PlainTilesCarryEachPixelsOpacityWithItsColour) {
    int wrong = 0;
    ForEveryPattern(TransparentPicture(), false,
                    [&](std::int32_t color, KeptPixel kept, const std::string& where) {
                        const bool same = KeptChannel(kept, 0) == std::uint32_t(color & 255) &&
                                          KeptChannel(kept, 1) == std::uint32_t(color >> 8 & 255) &&
                                          KeptChannel(kept, 2) == std::uint32_t(color >> 16) &&
                                          KeptChannel(kept, 3) == AlphaOf(color);
                        if (!same && wrong++ == 0)
                            ADD_FAILURE() << where;
                    });
    EXPECT_EQ(wrong, 0);
}

// Sixteen-bit smoothing agrees with the 8-bit result to within one level, and opaque
// pixels stay opaque.
TEST(KeptConversion, SmoothedDeepChannelsAgreeWithTheEightBitResult) {
    int wrong = 0;
    ForEveryPattern(
        DeepPicture(), true, [&](std::int32_t color, KeptPixel kept, const std::string& where) {
            bool near = KeptChannel(kept, 3) == 0xFFFF;
            for (int c = 0; c < 3; ++c)
                near &= std::abs(int(KeptChannel(kept, c) / 257) - (color >> 8 * c & 255)) <= 1;
            if (!near && wrong++ == 0)
                ADD_FAILURE() << where;
        });
    EXPECT_EQ(wrong, 0);
}

} // namespace
} // namespace slanter
