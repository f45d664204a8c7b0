#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "conversion/KeptBlend.h"
#include "conversion/Resampler.h"
#include "conversion/SettledSmoothing.h"

namespace slanter {
namespace {

constexpr int kWidth = 6;
constexpr int kHeight = 5;

// Channels drawn from the extremes and the middle, so that neighbours often share a
// channel or a whole colour and blends land on whole numbers; a kept plane of 16-bit
// channels near those, clear or opaque, so that neighbours often share their opacity.
THandyBitmap Picture() {
    THandyBitmap picture;
    picture.NewImage(kWidth, kHeight, 24);
    picture.Kept().ResetPixels(kWidth, kHeight, 16, true);
    std::mt19937 random(5);
    const int levels[] = {0, 1, 127, 128, 254, 255};
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int r = levels[random() % 6], g = levels[random() % 6], b = levels[random() % 6];
            picture.SetPixelColor(x, y, r | g << 8 | b << 16);
            picture.Kept().Pixels()[y * kWidth + x] =
                MakeKeptPixel(r * 257, g * 257 + random() % 3, b * 257, random() % 3 ? 65535 : 0);
        }
    return picture;
}

// The fast way's kept pixel for a settled cell, where it settles it.
bool SettledKept(const THandyBitmap& picture, std::int32_t cell, std::int32_t neighbour, double x,
                 double y, double bound, KeptPixel& kept) {
    const KeptPixel own = picture.Kept().Pixels()[cell];
    const KeptPixel other = picture.Kept().Pixels()[neighbour];
    kept = own;
    return own == other ||
           BlendKeptSettled(own, other, SettledWeight(x, y), KeptWeightMargin(bound), kept);
}

// Fractions on and around every border ChooseEdge draws and the cell's own edges, and
// those whose weights make blends of whole numbers (1/8: w = 3/4).
std::vector<double> Fractions(double bound) {
    std::vector<double> fractions;
    for (const double border : {0.0, 0.125, 0.25, 0.5, 0.75, 0.875, 1.0}) {
        for (const double step : {0.0, bound / 2, bound, 1.5 * bound, 3 * bound, 1e-3}) {
            for (const double f :
                 {border - step, border + step, std::nextafter(border + step, 2.0)})
                if (f >= 0 && f < 1)
                    fractions.push_back(f);
        }
    }
    return fractions;
}

// Where the fast way settles a pixel, the exact way gives its colour and its kept pixel
// at every position the bound allows: the corners and sides of the box round the one given, and
// points inside it.
TEST(SettledSmoothing, SettledPixelsAgreeWithTheExactWayAcrossTheirBound) {
    const THandyBitmap picture = Picture();
    std::mt19937_64 random(3);
    std::int64_t settledCount = 0;
    std::int64_t unsettledCount = 0;
    std::int64_t keptBlends = 0; // kept pixels settled by a blend of unequal colours
    for (const double bound : {1e-12, 1e-9, 1e-6, 1e-2}) {
        const std::vector<double> fractions = Fractions(bound);
        std::vector<double> sx;
        std::vector<double> sy;
        for (const auto& [cx, cy] : {std::pair{0, 0}, {kWidth - 1, kHeight - 1}, {2, 3}})
            for (const double fx : fractions)
                for (const double fy : fractions) {
                    sx.push_back(cx + fx);
                    sy.push_back(cy + fy);
                    // The diagonals, exactly and nearly.
                    sx.push_back(cx + fx);
                    sy.push_back(cy + (fx + fy < 0.5 ? fx : 1 - fx) + (fy - 0.5) * 1e-3);
                }
        const auto count = static_cast<std::int32_t>(sx.size());
        std::vector<std::int32_t> cells(sx.size()), neighbours(sx.size()), weights(sx.size());
        SettleEdges(sx.data(), sy.data(), count, bound, kWidth, kHeight, cells.data(),
                    neighbours.data(), weights.data());
        std::vector<std::int32_t> own(sx.size()), other(sx.size()), blended(sx.size());
        for (std::int32_t i = 0; i < count; ++i) {
            const auto colour = [&](std::int32_t cell) {
                return cell < 0 ? -1 : picture.GetPixelColor(cell % kWidth, cell / kWidth);
            };
            own[i] = colour(cells[i]);
            other[i] = colour(neighbours[i]);
        }
        BlendSettled(own.data(), other.data(), weights.data(), count, WeightMargin(bound),
                     blended.data());
        std::uniform_real_distribution<double> within(-bound, bound);
        for (std::int32_t i = 0; i < count; ++i) {
            KeptPixel kept = 0;
            const bool keptSettled = cells[i] >= 0 && SettledKept(picture, cells[i], neighbours[i],
                                                                  sx[i], sy[i], bound, kept);
            if (blended[i] < 0 && !keptSettled) {
                ++unsettledCount;
                continue;
            }
            ++settledCount;
            keptBlends += keptSettled && own[i] != other[i];
            for (int k = 0; k < 12; ++k) {
                const SourcePosition p{sx[i] + (k < 9 ? (k % 3 - 1) * bound : within(random)),
                                       sy[i] + (k < 9 ? (k / 3 - 1) * bound : within(random))};
                if (blended[i] >= 0) {
                    ASSERT_EQ(blended[i], SmoothedColor(picture, p))
                        << std::hexfloat << p.SX << ", " << p.SY << " bound " << bound;
                }
                if (keptSettled) {
                    ASSERT_EQ(kept, KeptSample(picture, p, true, 65535))
                        << std::hexfloat << p.SX << ", " << p.SY << " bound " << bound;
                }
            }
        }
    }
    // Neither way is vacuous: positions clear of the borders settle, those on them do not.
    EXPECT_GT(settledCount, 50000);
    EXPECT_GT(unsettledCount, 50000);
    EXPECT_GT(keptBlends, 10000);
}

// A position outside the picture, or one the bound does not keep in one cell, is left to
// the exact way.
TEST(SettledSmoothing, PositionsOffThePictureOrAcrossACellEdgeStayUnsettled) {
    const double sx[] = {-0.5, 0.5, kWidth + 0.5, 0.5, 2.0, 2.5};
    const double sy[] = {0.5, -1.5, 0.5, kHeight + 0.5, 2.5, 3.0 - 1e-12};
    std::int32_t cells[6], neighbours[6], weights[6];
    SettleEdges(sx, sy, 6, 1e-9, kWidth, kHeight, cells, neighbours, weights);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(cells[i], -1) << i;
        EXPECT_EQ(neighbours[i], -1) << i;
    }
}

} // namespace
} // namespace slanter
