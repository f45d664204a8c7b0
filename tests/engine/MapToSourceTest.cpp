#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/Slanter.h"
#include "support/NaiveMapToSource.h"

namespace slanter {
namespace {

struct Combination {
    bool horizontal;
    bool rightUp;
};

constexpr Combination kCombinations[] = {
    {true, true}, {true, false}, {false, true}, {false, false}};

std::string Describe(const TSlanter& engine) {
    return std::to_string(engine.SourceWidth()) + "x" + std::to_string(engine.SourceHeight()) +
           (engine.Horizontal() ? " rows" : " columns") +
           (engine.RightUp() ? " rising right" : " rising left") + " pattern " +
           std::to_string(engine.PatternIndex());
}

TSlanter Engine(int width, int height, Combination c) {
    TSlanter engine;
    engine.SetHorizontal(c.horizontal);
    engine.SetRightUp(c.rightUp);
    engine.SetSourceSize({width, height});
    return engine;
}

// Patterns spread over the table, small tiles first so that whole tiles stay cheap.
template <typename Check>
void ForSomePatterns(const TSlanter& base, int maxTilePixels, Check check) {
    TSlanter engine = base;
    for (int index = 0; index < engine.PatternCount(); index += 3) {
        const TPoint size = engine.PatternSize(index);
        if (std::int64_t{size.X} * size.Y > maxTilePixels)
            continue;
        engine.SetPatternIndex(index);
        check(engine, size);
    }
}

// The engine folds in closed form; it must give the walk's doubles bit for bit, but for
// the far-edge positions, which it moves just inside the picture.
TEST(MapToSource, EqualsTheOneStepAtATimeWalkForEveryPixel) {
    int edgeHits = 0;
    for (const auto& [w, h] : {std::pair{64, 48}, std::pair{100, 100}, std::pair{7, 3},
                               std::pair{1, 1}, std::pair{3, 40}, std::pair{120, 1}}) {
        for (const Combination c : kCombinations) {
            ForSomePatterns(Engine(w, h, c), 60000, [&](const TSlanter& engine, TPoint size) {
                for (int y = 0; y < size.Y; ++y) {
                    for (int x = 0; x < size.X; ++x) {
                        const SourcePosition walked = testing::NaiveMapToSource(engine, {x, y});
                        const SourcePosition mapped = engine.MapToSource({x, y});
                        const double wantX = walked.SX == w ? std::nextafter(w, 0.0) : walked.SX;
                        const double wantY = walked.SY == h ? std::nextafter(h, 0.0) : walked.SY;
                        edgeHits += walked.SX == w || walked.SY == h;
                        if (std::bit_cast<std::uint64_t>(mapped.SX) !=
                                std::bit_cast<std::uint64_t>(wantX) ||
                            std::bit_cast<std::uint64_t>(mapped.SY) !=
                                std::bit_cast<std::uint64_t>(wantY)) {
                            ADD_FAILURE() << Describe(engine) << " pixel " << x << "," << y;
                            return;
                        }
                    }
                }
            });
        }
    }
    EXPECT_GT(edgeHits, 0);
}

TEST(MapToSource, EqualsTheWalkAtRandomPixelsOfManySizes) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 60; ++trial) {
        const int w = 1 + int(random() % 300);
        const int h = trial % 4 == 0 ? 1 + int(random() % 4) : 1 + int(random() % 300);
        for (const Combination c : kCombinations) {
            TSlanter engine = Engine(w, h, c);
            for (int index = 0; index < engine.PatternCount(); index += 1 + int(random() % 7)) {
                engine.SetPatternIndex(index);
                const TPoint size = engine.PatternSize(index);
                for (int n = 0; n < 50; ++n) {
                    const TPoint pixel{int(random() % size.X), int(random() % size.Y)};
                    const SourcePosition walked = testing::NaiveMapToSource(engine, pixel);
                    const SourcePosition mapped = engine.MapToSource(pixel);
                    ASSERT_EQ(mapped.SX, walked.SX == w ? std::nextafter(w, 0.0) : walked.SX)
                        << Describe(engine) << " pixel " << pixel.X << "," << pixel.Y;
                    ASSERT_EQ(mapped.SY, walked.SY == h ? std::nextafter(h, 0.0) : walked.SY)
                        << Describe(engine) << " pixel " << pixel.X << "," << pixel.Y;
                }
            }
        }
    }
}

TEST(MapToSource, EveryPositionLiesInsideThePicture) {
    for (const auto& [w, h] :
         {std::pair{64, 48}, std::pair{48, 64}, std::pair{1, 1}, std::pair{2, 1}, std::pair{1, 9},
          std::pair{33, 33}, std::pair{640, 480}}) {
        for (const Combination c : kCombinations) {
            ForSomePatterns(Engine(w, h, c), 400000, [&](const TSlanter& engine, TPoint size) {
                for (int y = 0; y < size.Y; ++y) {
                    for (int x = 0; x < size.X; ++x) {
                        const SourcePosition p = engine.MapToSource({x, y});
                        if (!(p.SX >= 0 && p.SX < w && p.SY >= 0 && p.SY < h)) {
                            ADD_FAILURE() << Describe(engine) << " pixel " << x << "," << y
                                          << " maps to " << p.SX << "," << p.SY;
                            return;
                        }
                    }
                }
            });
        }
    }
}

// Distance between two source positions once whole layout vectors are taken away.
double LayoutDistance(const TSlanter& engine, SourcePosition a, SourcePosition b) {
    const double w = engine.SourceWidth();
    const double h = engine.SourceHeight();
    const double slide = engine.PatternSlide(engine.PatternIndex());
    // The second layout vector: across the arrangement, with the slide along it.
    double ax = 0, ay = 0;
    if (engine.Horizontal()) {
        ax = engine.RightUp() ? slide : -slide;
        ay = h;
    } else {
        ax = w;
        ay = engine.RightUp() ? -slide : slide;
    }
    const double bx = engine.Horizontal() ? w : 0;
    const double by = engine.Horizontal() ? 0 : h;
    double best = INFINITY;
    for (int m = -1; m <= 1; ++m) {
        for (int n = -2; n <= 2; ++n) {
            const double dx = b.SX - a.SX + m * ax + n * bx;
            const double dy = b.SY - a.SY + m * ay + n * by;
            best = std::min(best, dx * dx + dy * dy);
        }
    }
    return std::sqrt(best);
}

// The product's promise: the tile's opposite edges meet without a seam.
TEST(MapToSource, OneTileFurtherShowsTheSamePointWithinOnePixel) {
    for (const auto& [w, h] : {std::pair{64, 48}, std::pair{40, 90}, std::pair{100, 100}}) {
        for (const Combination c : kCombinations) {
            ForSomePatterns(Engine(w, h, c), 40000, [&](const TSlanter& engine, TPoint size) {
                double worst = 0;
                for (int y = 0; y < size.Y; ++y) {
                    for (int x = 0; x < size.X; ++x) {
                        const SourcePosition here = engine.MapToSource({x, y});
                        worst = std::max(
                            {worst,
                             LayoutDistance(engine, here, engine.MapToSource({x + size.X, y})),
                             LayoutDistance(engine, here, engine.MapToSource({x, y + size.Y}))});
                    }
                }
                EXPECT_LT(worst, 1.0) << Describe(engine);
            });
        }
    }
}

TEST(MapToSource, OriginPixelNeedsNoFolding) {
    TSlanter engine = Engine(64, 48, {true, true});
    engine.SetSortOnAngle(false);
    engine.SetPatternIndex(0); // 24.30 degrees, tile 116 x 52
    ASSERT_EQ(engine.PatternSize(0), (TPoint{116, 52}));
    const long double cs = engine.SelCos();
    const long double sn = engine.SelSin();
    const SourcePosition p = engine.MapToSource({0, 0});
    EXPECT_EQ(p.SX, static_cast<double>(0.5L * cs + 0.5L * sn));
    EXPECT_EQ(p.SY, static_cast<double>(0.5L * cs - 0.5L * sn));
}

struct PinnedPixel {
    TPoint pixel;
    double sx;
    double sy;
};

// Bits this engine has always given for the area order's first 64 x 48 pattern (24.30
// degrees; 116 x 52 in rows, 74 x 122 in columns). At the origin, rising right in rows,
// sin 2t = 3/4 makes cos t - sin t = 1/2, so SY is exactly 1/4.
TEST(MapToSource, PinnedBitsOfTheFirstPatternByArea) {
    const PinnedPixel pins[4][3] = {{{{0, 0}, 0x1.52a7fa9d2f8eap-1, 0x1p-2},
                                     {{115, 51}, 0x1.420caea9f113p+4, 0x1.7b580562d0716p+5},
                                     {{37, 11}, 0x1.e4a0a14328daap+5, 0x1.586bc23024ae1p+5}},
                                    {{{0, 0}, 0x1p-2, 0x1.52a7fa9d2f8eap-1},
                                     {{115, 51}, 0x1.4ep+5, 0x1.73ae51f228182p+5},
                                     {{37, 11}, 0x1.d7287b9fb6a3ep+4, 0x1.9e9137c0b0d26p+4}},
                                    {{{0, 0}, 0x1.5fd69de3fe6b4p-1, 0x1.5555555555554p-3},
                                     {{73, 121}, 0x1.f001e912ab2ecp+5, 0x1.1p+3},
                                     {{37, 11}, 0x1.300afb8d3974cp+5, 0x1.32662530b5f9cp+5}},
                                    {{{0, 0}, 0x1.5555555555554p-3, 0x1.5fd69de3fe6b4p-1},
                                     {{73, 121}, 0x1.fc1f0995012f8p+5, 0x1.2820f2a7ac5e4p+5},
                                     {{37, 11}, 0x1.a0890af3e961cp+4, 0x1.d56b4c6fc83efp+4}}};
    for (int c = 0; c < 4; ++c) {
        TSlanter engine = Engine(64, 48, kCombinations[c]);
        engine.SetSortOnAngle(false);
        engine.SetPatternIndex(0);
        for (const PinnedPixel& pin : pins[c]) {
            const SourcePosition p = engine.MapToSource(pin.pixel);
            EXPECT_EQ(p.SX, pin.sx) << Describe(engine) << " pixel " << pin.pixel.X;
            EXPECT_EQ(p.SY, pin.sy) << Describe(engine) << " pixel " << pin.pixel.X;
        }
    }
}

// At 18.43 degrees (tan t = 1/3) a pixel centre unfolds to just below zero on one axis,
// and adding the picture's side rounds it onto the far edge. Columns of a 48 x 64
// picture have the same pattern as rows of a 64 x 48 one.
TEST(MapToSource, PositionsRoundedOntoTheFarEdgeStepJustInside) {
    for (const Combination c : kCombinations) {
        const int w = c.horizontal ? 64 : 48;
        const int h = c.horizontal ? 48 : 64;
        TSlanter engine = Engine(w, h, c);
        int index = -1;
        for (int k = 0; k < engine.PatternCount(); ++k)
            if (std::fabs(std::tan(engine.AngleRadians(k)) - 1.0 / 3) < 1e-12)
                index = k;
        ASSERT_GE(index, 0);
        engine.SetPatternIndex(index);
        const TPoint size = engine.PatternSize(index);
        int hits = 0;
        for (int y = 0; y < size.Y; ++y) {
            for (int x = 0; x < size.X; ++x) {
                const SourcePosition walked = testing::NaiveMapToSource(engine, {x, y});
                const SourcePosition mapped = engine.MapToSource({x, y});
                if (walked.SX == w) {
                    ++hits;
                    EXPECT_EQ(mapped.SX, std::nextafter(double(w), 0.0));
                }
                if (walked.SY == h) {
                    ++hits;
                    EXPECT_EQ(mapped.SY, std::nextafter(double(h), 0.0));
                }
                EXPECT_LT(mapped.SX, w);
                EXPECT_LT(mapped.SY, h);
            }
        }
        EXPECT_GT(hits, 0) << Describe(engine);
    }
    // The case that showed the fault: pixel (1, 0) rising right in rows.
    TSlanter engine = Engine(64, 48, {true, true});
    for (int k = 0; k < engine.PatternCount(); ++k)
        if (engine.PatternSize(k) == TPoint{303, 50})
            engine.SetPatternIndex(k);
    EXPECT_EQ(testing::NaiveMapToSource(engine, {1, 0}).SY, 48.0);
    EXPECT_EQ(engine.MapToSource({1, 0}).SY, std::nextafter(48.0, 0.0));
}

TEST(MapToSource, ThinPicturesFoldManyPeriodsPerPixel) {
    for (const Combination c : kCombinations) {
        TSlanter engine = Engine(1, 1, c);
        engine.SetPatternIndex(engine.PatternCount() - 1);
        const TPoint size = engine.PatternSize(engine.PatternIndex());
        const TPoint far{size.X - 1, size.Y - 1};
        const SourcePosition walked = testing::NaiveMapToSource(engine, far);
        const SourcePosition mapped = engine.MapToSource(far);
        EXPECT_EQ(mapped.SX, walked.SX == 1 ? std::nextafter(1.0, 0.0) : walked.SX);
        EXPECT_EQ(mapped.SY, walked.SY == 1 ? std::nextafter(1.0, 0.0) : walked.SY);
    }
}

} // namespace
} // namespace slanter
