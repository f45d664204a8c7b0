#include <cmath>
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

// Where the fast way settles a pixel, the exact way gives its colour and its kept pixel
// at every position the bound allows (the box's corners and sides, points inside). The
// positions lie on and beside every zone border and cell edge and at weights of whole
// blends (1/8: w = 3/4); channels are extremes or middles, so that neighbours share
// channels, colours and opacities.
TEST(SettledSmoothing, SettledPixelsAgreeWithTheExactWayAcrossTheirBound) {
    THandyBitmap picture;
    picture.NewImage(kWidth, kHeight, 24);
    picture.Kept().ResetPixels(kWidth, kHeight, 16, true);
    std::mt19937_64 random(5);
    const int levels[] = {0, 1, 127, 128, 254, 255};
    for (int i = 0; i < kWidth * kHeight; ++i) {
        const int r = levels[random() % 6], g = levels[random() % 6], b = levels[random() % 6];
        picture.SetPixelColor(i % kWidth, i / kWidth, r | g << 8 | b << 16);
        picture.Kept().Pixels()[i] =
            MakeKeptPixel(r * 257, g * 257 + random() % 3, b * 257, random() % 3 ? 65535 : 0);
    }
    const KeptPixel* kept = picture.Kept().Pixels();
    std::int64_t settled = 0, unsettled = 0, keptBlends = 0;
    for (const double bound : {1e-12, 1e-9, 1e-6, 1e-2}) {
        std::vector<double> fractions;
        for (const double border : {0.0, 0.125, 0.25, 0.5, 0.75, 0.875, 1.0})
            for (const double step : {0.0, bound / 2, bound, 1.5 * bound, 3 * bound, 1e-3})
                for (const double f :
                     {border - step, border + step, std::nextafter(border + step, 2.0)})
                    if (f >= 0 && f < 1)
                        fractions.push_back(f);
        std::vector<double> sx, sy;
        for (const auto& [cx, cy] : {std::pair{0, 0}, {kWidth - 1, kHeight - 1}, {2, 3}})
            for (const double fx : fractions)
                for (const double fy : fractions) // on a diagonal, then as given
                    for (const double y : {(fx + fy < 0.5 ? fx : 1 - fx) + (fy - 0.5) * 1e-3, fy}) {
                        sx.push_back(cx + fx);
                        sy.push_back(cy + y);
                    }
        const auto count = static_cast<std::int32_t>(sx.size());
        std::vector<std::int32_t> cells(sx.size()), neighbours(sx.size()), weights(sx.size());
        SettleEdges(sx.data(), sy.data(), count, bound, kWidth, kHeight, cells.data(),
                    neighbours.data(), weights.data());
        std::vector<std::int32_t> own(sx.size(), -1), other(sx.size(), -1), blended(sx.size());
        for (std::int32_t i = 0; i < count; ++i)
            if (cells[i] >= 0) {
                own[i] = picture.GetPixelColor(cells[i] % kWidth, cells[i] / kWidth);
                other[i] = picture.GetPixelColor(neighbours[i] % kWidth, neighbours[i] / kWidth);
            }
        BlendSettled(own.data(), other.data(), weights.data(), count, WeightMargin(bound),
                     blended.data());
        std::uniform_real_distribution<double> within(-bound, bound);
        for (std::int32_t i = 0; i < count; ++i) {
            KeptPixel blend = cells[i] >= 0 ? kept[cells[i]] : 0;
            const bool keptSettled =
                cells[i] >= 0 &&
                (blend == kept[neighbours[i]] ||
                 BlendKeptSettled(kept[cells[i]], kept[neighbours[i]], SettledWeight(sx[i], sy[i]),
                                  KeptWeightMargin(bound), blend));
            unsettled += blended[i] < 0 && !keptSettled;
            settled += blended[i] >= 0;
            keptBlends += keptSettled && blend != kept[cells[i]];
            for (int k = 0; k < 12 && (blended[i] >= 0 || keptSettled); ++k) {
                const SourcePosition p{sx[i] + (k < 9 ? (k % 3 - 1) * bound : within(random)),
                                       sy[i] + (k < 9 ? (k / 3 - 1) * bound : within(random))};
                if (blended[i] >= 0) {
                    ASSERT_EQ(blended[i], SmoothedColor(picture, p)) << p.SX << "," << p.SY;
                }
                if (keptSettled) {
                    ASSERT_EQ(blend, KeptSample(picture, p, true, 65535)) << p.SX << "," << p.SY;
                }
            }
        }
    }
    // Neither way is vacuous: positions clear of the borders settle, those on them do not.
    EXPECT_GT(settled, 50000);
    EXPECT_GT(unsettled, 50000);
    EXPECT_GT(keptBlends, 10000);
}

// A position outside the picture, or one the bound does not keep in one cell, is left to
// the exact way.
TEST(SettledSmoothing, PositionsOffThePictureOrAcrossACellEdgeStayUnsettled) {
    const double sx[] = {-0.5, 0.5, kWidth + 0.5, 0.5, 2.0, 2.5};
    const double sy[] = {0.5, -1.5, 0.5, kHeight + 0.5, 2.5, 3.0 - 1e-12};
    std::int32_t cells[6], neighbours[6], weights[6];
    SettleEdges(sx, sy, 6, 1e-9, kWidth, kHeight, cells, neighbours, weights);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(cells[i], -1) << i;
}

} // namespace
} // namespace slanter
