#include <cmath>

#include <gtest/gtest.h>

#include "engine/Slanter.h"
#include "preview/PreviewSpace.h"
#include "support/PreviewPatterns.h"

namespace slanter {
namespace {

using testing::DescribeSelection;
using testing::ForEveryPattern;

// The distance from `target` to the nearest lattice vector j·U + k·V.
double DistanceToLattice(const PreviewSpace& space, double tu, double tv) {
    const PreviewVector& U = space.U;
    const PreviewVector& V = space.V;
    const double det = U.u * V.v - U.v * V.u;
    const double j = std::round((tu * V.v - tv * V.u) / det);
    const double k = std::round((U.u * tv - U.v * tu) / det);
    return std::hypot(j * U.u + k * V.u - tu, j * U.v + k * V.v - tv);
}

// The tile repeats the turned layout, so both its sides must be steps of the lattice the
// preview draws, up to the truncation of the sides to whole pixels; a wrong sign of the
// tilt or an unmirrored slide breaks this at once.
TEST(PreviewSpace, TheTileSidesAreStepsOfTheLatticeInEveryCombination) {
    for (const auto& [w, h] :
         {std::pair{64, 48}, std::pair{100, 100}, std::pair{7, 3}, std::pair{3, 40}}) {
        ForEveryPattern(w, h, [](const TSlanter& engine) {
            const auto space = MakePreviewSpace(SelectedPreviewPattern(engine));
            ASSERT_TRUE(space) << DescribeSelection(engine);
            EXPECT_LT(DistanceToLattice(*space, space->A, 0), 2.0) << DescribeSelection(engine);
            EXPECT_LT(DistanceToLattice(*space, 0, space->B), 2.0) << DescribeSelection(engine);
        });
    }
}

TEST(PreviewSpace, RowsSideBySideStackStraightUpWithoutOffset) {
    // 64 x 48, first pattern found: 24.30 degrees, slide 48·tan t, tile 116 x 52; the next
    // row sits exactly above, 48 / cos t higher.
    TSlanter engine;
    engine.SetSortOnAngle(false);
    engine.SetSourceSize({64, 48});
    engine.SetPatternIndex(0);
    ASSERT_EQ(engine.PatternSize(0), (TPoint{116, 52}));
    const auto space = MakePreviewSpace(SelectedPreviewPattern(engine));
    ASSERT_TRUE(space);
    const double t = engine.AngleRadians(0);
    EXPECT_NEAR(space->V.u, 0.0, 1e-12);
    EXPECT_NEAR(space->V.v, 48 / std::cos(t), 1e-12);
    EXPECT_NEAR(space->U.u, 64 * std::cos(t), 1e-12);
    EXPECT_NEAR(space->U.v, 64 * std::sin(t), 1e-12);
    EXPECT_EQ(space->T.u, -58);
    EXPECT_EQ(space->T.v, -26);
    EXPECT_NEAR(space->R, 81.2, 1e-12);
}

TEST(PreviewSpace, NothingToDrawWithoutATileOrAPicture) {
    PreviewPattern pattern;
    pattern.angle = 0.5;
    pattern.tile = {0, 0};
    pattern.sourceWidth = 40;
    pattern.sourceHeight = 30;
    EXPECT_FALSE(MakePreviewSpace(pattern));

    pattern.tile = {10, 0}; // a side truncated to nothing still has a view
    ASSERT_TRUE(MakePreviewSpace(pattern));
    EXPECT_EQ(MakePreviewSpace(pattern)->R, 7);

    pattern.sourceHeight = 0;
    EXPECT_FALSE(MakePreviewSpace(pattern));
    pattern.sourceHeight = 30;
    pattern.angle = std::nan("");
    EXPECT_FALSE(MakePreviewSpace(pattern));
}

} // namespace
} // namespace slanter
