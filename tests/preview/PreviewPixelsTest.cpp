#include <map>

#include <gtest/gtest.h>

#include "engine/Slanter.h"
#include "preview/PreviewDrawing.h"
#include "preview/PreviewRaster.h"

namespace slanter {
namespace {

TEST(PreviewPixels, TheTestPenDrawsTheFirstPixelAndNotTheLast) {
    PreviewDrawing drawing;
    drawing.width = drawing.height = 8;
    drawing.segments = {{0, 0, 4, 2, kPreviewRed}, {7, 7, 7, 7, kPreviewBlack}};
    const PreviewRaster raster(drawing);
    EXPECT_EQ(raster.At(0, 0), kPreviewRed);
    EXPECT_EQ(raster.At(1, 1), kPreviewRed); // 0.5 rounds away from the start
    EXPECT_EQ(raster.At(2, 1), kPreviewRed);
    EXPECT_EQ(raster.At(3, 2), kPreviewRed);
    EXPECT_EQ(raster.At(4, 2), kPreviewWhite);
    EXPECT_EQ(raster.At(7, 7), kPreviewWhite);
}

TEST(PreviewPixels, AStrokeFromFarAwayPaintsWhatItsNearPartPaints) {
    PreviewDrawing far;
    far.width = far.height = 20;
    far.segments = {{-2000000000, 5, 2000000000, 5, kPreviewRed}};
    PreviewDrawing near = far;
    near.segments = {{-1, 5, 25, 5, kPreviewRed}};
    EXPECT_EQ(PreviewRaster(far).Pixels(), PreviewRaster(near).Pixels());
}

// 64 x 48, 24.30 degrees, tile 116 x 52: R = 81.2 and one unit is 201/162.4 pixels. The
// outline lies at u = -58, 58 (x 28, 172) and v = 26, -26 (y 68, 132); the lattice corner
// T + U = (0.332, 0.332) falls on pixel (100, 100); the middle of the copy at T,
// (-38.7, 9.0), on pixel (52, 89), with no line near it.
TEST(PreviewPixels, OutlineCornersBlackALatticeCornerRedTheBackgroundWhite) {
    TSlanter engine;
    engine.SetSortOnAngle(false);
    engine.SetSourceSize({64, 48});
    engine.SetPatternIndex(0);
    ASSERT_EQ(engine.PatternSize(0), (TPoint{116, 52}));
    const PreviewRaster raster(ComputePreviewDrawing(engine));
    ASSERT_EQ(raster.Width(), 201);
    ASSERT_EQ(raster.Height(), 201);

    for (const auto& [x, y] :
         {std::pair{28, 68}, std::pair{172, 68}, std::pair{172, 132}, std::pair{28, 132}})
        EXPECT_EQ(raster.At(x, y), kPreviewBlack) << x << ", " << y;
    EXPECT_EQ(raster.At(100, 100), kPreviewRed);
    EXPECT_EQ(raster.At(52, 89), kPreviewWhite);

    std::map<std::uint32_t, int> counts;
    for (const std::uint32_t pixel : raster.Pixels())
        ++counts[pixel];
    EXPECT_EQ(counts.size(), 3u);
    EXPECT_GT(counts[kPreviewWhite], 201 * 201 / 2);
    EXPECT_GT(counts[kPreviewRed], 201);
    EXPECT_EQ(counts[kPreviewBlack], 2 * (144 + 64)); // the outline alone, over everything
}

} // namespace
} // namespace slanter
