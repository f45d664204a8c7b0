#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "conversion/ResultZoom.h"
#include "conversion/ScaledView.h"

namespace slanter {
namespace {

// Screen pixel i of a picture shown at another length shows the pixel under its centre.
TEST(ScaledView, EachScreenPixelShowsThePicturePixelUnderItsCentre) {
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(SampledPixel(i, 50, 50), i); // one to one
    // Enlarged twice: pixels 0 0 1 1 2 2.
    EXPECT_EQ(SampledRun(0, 6, 20, 10, 0), (std::vector<std::int32_t>{0, 0, 1, 1, 2, 2}));
    // At 25%: centres at 2, 6, 10, ... (screen pixel 1 spans picture 4 to 8).
    EXPECT_EQ(SampledRun(0, 4, 25, 100, 0), (std::vector<std::int32_t>{2, 6, 10, 14}));
    // 7 pixels into 3: centres at 7/6, 21/6, 35/6.
    EXPECT_EQ(SampledRun(0, 3, 3, 7, 0), (std::vector<std::int32_t>{1, 3, 5}));
    // A tiled view folds into one tile; a run may start anywhere.
    EXPECT_EQ(SampledRun(8, 5, 30, 30, 10), (std::vector<std::int32_t>{8, 9, 0, 1, 2}));
    // Lengths whose products pass 32 bits.
    EXPECT_EQ(SampledPixel(29999, 30000, 29997), 29996);
}

TEST(ScaledView, FittingKeepsTheProportions) {
    EXPECT_EQ(FitInside({4677, 6725}, {1900, 1000}), (TPoint{695, 1000}));
    EXPECT_EQ(FitInside({6725, 4677}, {1000, 1900}), (TPoint{1000, 695}));
    EXPECT_EQ(FitInside({10000, 1}, {100, 100}), (TPoint{100, 1}));
    EXPECT_EQ(ScaledSize({4677, 6725}, 25), (TPoint{1169, 1681}));
    EXPECT_EQ(ScaledSize({3, 3}, 25), (TPoint{1, 1}));
}

// The client sizes each zoom asks for, the view's meaning kept: view 9 is three by three
// tiles at any zoom.
TEST(ResultZoom, ClientSizesOfEachZoomAndView) {
    const TPoint large{4677, 6725};
    const TPoint room{1900, 1000};
    EXPECT_EQ(ZoomedViewSize(1, large, 100, room), large);
    EXPECT_EQ(ZoomedViewSize(1, large, 200, room), (TPoint{9354, 13450}));
    EXPECT_EQ(ZoomedViewSize(1, large, 50, room), (TPoint{2338, 3362}));
    EXPECT_EQ(ZoomedViewSize(4, large, 25, room), (TPoint{2338, 3362}));
    EXPECT_EQ(ZoomedViewSize(9, large, 50, room), (TPoint{7015, 10087}));
    EXPECT_EQ(ZoomedViewSize(1, large, kZoomToFit, room), (TPoint{695, 1000}));
    EXPECT_EQ(ZoomedViewSize(9, large, kZoomToFit, room), (TPoint{695, 1000}));
    // A view that fits is not enlarged.
    EXPECT_EQ(ZoomedViewSize(4, {116, 52}, kZoomToFit, room), (TPoint{232, 104}));
}

// Zoom in and out step through the percentages; from fitting, from what the fit shows.
TEST(ResultZoom, ZoomInAndOutStepThroughThePercentages) {
    EXPECT_EQ(NextZoom(100, 1, 0), 200);
    EXPECT_EQ(NextZoom(200, 1, 0), 200);
    EXPECT_EQ(NextZoom(50, -1, 0), 25);
    EXPECT_EQ(NextZoom(25, -1, 0), 25);
    EXPECT_EQ(NextZoom(kZoomToFit, 1, 30), 50);
    EXPECT_EQ(NextZoom(kZoomToFit, -1, 30), 25);
    EXPECT_EQ(NextZoom(kZoomToFit, -1, 10), kZoomToFit);
}

// The tiles of a zoomed view lie side by side without gap or overlap, and every pixel of
// a tile's cell shows that tile. Worked by hand: 107 x 8 in view 9 at 50% (160 x 12);
// column 1 begins at the least x with (2x + 1) 321 >= 2 x 107 x 160, x = 53, and ends
// before 107; row 2 spans 8 to 11.
TEST(ResultZoom, TilesOfAZoomedViewMeetExactly) {
    EXPECT_EQ(ScreenEdge(4, 6, 12), 2);
    EXPECT_EQ(ScreenEdge(0, 6, 12), 0);
    EXPECT_EQ(ZoomedTileCell(9, {107, 8}, {321, 24}, 1, 2), (ZoomedCell{{107, 16}, {107, 8}}));
    EXPECT_EQ(ZoomedTileCell(9, {107, 8}, {160, 12}, 1, 2), (ZoomedCell{{53, 8}, {54, 4}}));
    for (const TPoint size : {TPoint{107, 8}, TPoint{5, 7}, TPoint{4677, 6725}}) {
        for (const int view : {4, 9}) {
            for (const int zoom : {25, 50, 200}) {
                const TPoint shown = ZoomedViewSize(view, size, zoom, {});
                const int side = view == 9 ? 3 : 2;
                int reached = 0;
                for (int column = 0; column < side; ++column) {
                    const ZoomedCell cell = ZoomedTileCell(view, size, shown, column, 0);
                    EXPECT_EQ(cell.topLeft.X, reached);
                    reached = cell.topLeft.X + cell.size.X;
                    for (int x = cell.topLeft.X; x < reached; ++x)
                        ASSERT_EQ(SampledPixel(x, shown.X, side * size.X) / size.X, column);
                }
                EXPECT_EQ(reached, shown.X) << size.X << " view " << view << " at " << zoom;
            }
        }
    }
}

// A 4 x 3 picture whose cells are their own numbers, top row first.
std::vector<std::uint32_t> NumberedPicture() {
    std::vector<std::uint32_t> cells(12);
    for (std::uint32_t k = 0; k < 12; ++k)
        cells[k] = k;
    return cells;
}

std::vector<std::uint32_t> Sample(int view, TPoint shown, TPoint topLeft, TPoint extent) {
    const std::vector<std::uint32_t> picture = NumberedPicture();
    std::vector<std::uint32_t> out(static_cast<std::size_t>(extent.X) * extent.Y, 99);
    SampleZoomedView(picture.data(), 4, {4, 3}, view, shown, topLeft, extent, out.data());
    return out;
}

TEST(ResultZoom, EachScreenPixelShowsItsResultPixel) {
    // 100%: pixel for pixel; a part of the view alone gives that part.
    EXPECT_EQ(Sample(1, {4, 3}, {0, 0}, {4, 3}), NumberedPicture());
    EXPECT_EQ(Sample(1, {4, 3}, {1, 1}, {2, 2}), (std::vector<std::uint32_t>{5, 6, 9, 10}));
    // 200%: every pixel twice in both directions.
    EXPECT_EQ(Sample(1, {8, 6}, {2, 1}, {3, 2}), (std::vector<std::uint32_t>{1, 1, 2, 5, 5, 6}));
    // View 4 at 100%: the second tile starts at column 4 and row 3.
    EXPECT_EQ(Sample(4, {8, 6}, {3, 2}, {2, 2}), (std::vector<std::uint32_t>{11, 8, 3, 0}));
    // View 9 at 50%: the 12 x 9 grid into 6 x 4; columns 1, 3, 5, ... of the grid, rows
    // trunc(9/8) = 1 and trunc(45/8) = 5, which is row 2 of its tile.
    EXPECT_EQ(Sample(9, {6, 4}, {0, 0}, {6, 1}), (std::vector<std::uint32_t>{5, 7, 5, 7, 5, 7}));
    EXPECT_EQ(Sample(9, {6, 4}, {0, 2}, {2, 1}), (std::vector<std::uint32_t>{9, 11}));
    // Palette indices are sampled alike.
    const std::vector<std::uint8_t> indices{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    std::vector<std::uint8_t> out(2);
    SampleZoomedView(indices.data(), 4, {4, 3}, 1, {8, 6}, {3, 5}, {2, 1}, out.data());
    EXPECT_EQ(out, (std::vector<std::uint8_t>{9, 10}));
}

TEST(ResultZoom, PaddedRowsKeepTheirPadding) {
    // Rows three cells apart take two cells each; the third keeps its 99.
    const std::vector<std::uint32_t> picture = NumberedPicture();
    std::vector<std::uint32_t> out(6, 99);
    SampleZoomedView(picture.data(), 4, {4, 3}, 1, {4, 3}, {1, 1}, {2, 2}, out.data(), 3);
    EXPECT_EQ(out, (std::vector<std::uint32_t>{5, 6, 99, 9, 10, 99}));
}

} // namespace
} // namespace slanter
