#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Slanter.h"
#include "preview/LatticeWalk.h"
#include "preview/PreviewDrawing.h"
#include "preview/PreviewScreen.h"
#include "support/PreviewPatterns.h"

namespace slanter {
namespace {

using testing::DescribeSelection;
using testing::ForEveryPattern;

PreviewPattern TileOf100By50(bool horizontal) {
    PreviewPattern pattern;
    pattern.angle = 0.4;
    pattern.slide = 12;
    pattern.tile = {100, 50};
    pattern.sourceWidth = 30;
    pattern.sourceHeight = 20;
    pattern.horizontal = horizontal;
    return pattern;
}

std::vector<PreviewSegment> Outline(const PreviewDrawing& drawing) {
    EXPECT_GE(drawing.segments.size(), 4u);
    return {drawing.segments.end() - 4, drawing.segments.end()};
}

// The tile's outline comes last, in black, around (-50, -25) .. (50, 25) mapped with
// R = 70: x 28 to 172 and y 64 to 136, in both arrangements.
TEST(PreviewDrawing, TheOutlineOfA100By50TileInRows) {
    const PreviewDrawing drawing = ComputePreviewDrawing(TileOf100By50(true), 201, 201);
    const std::vector<PreviewSegment> expected = {{28, 136, 28, 64, kPreviewBlack},
                                                  {28, 64, 172, 64, kPreviewBlack},
                                                  {172, 64, 172, 136, kPreviewBlack},
                                                  {172, 136, 28, 136, kPreviewBlack}};
    EXPECT_EQ(Outline(drawing), expected);
}

TEST(PreviewDrawing, TheOutlineOfA100By50TileInColumnsVisitsTheCornersTurned) {
    const PreviewDrawing drawing = ComputePreviewDrawing(TileOf100By50(false), 201, 201);
    const std::vector<PreviewSegment> expected = {{172, 136, 28, 136, kPreviewBlack},
                                                  {28, 136, 28, 64, kPreviewBlack},
                                                  {28, 64, 172, 64, kPreviewBlack},
                                                  {172, 64, 172, 136, kPreviewBlack}};
    EXPECT_EQ(Outline(drawing), expected);
}

// Every segment but the outline is red, and each copy's two sides form one path that
// turns at the copy's corner; one of those corners is the tile's corner T, which in rows
// is the outline's lower-left corner.
TEST(PreviewDrawing, TheLatticeIsRedAndHasACornerAtTheTileCorner) {
    for (const auto& [w, h] : {std::pair{64, 48}, std::pair{7, 3}, std::pair{3, 40}}) {
        ForEveryPattern(w, h, [](const TSlanter& engine) {
            SCOPED_TRACE(DescribeSelection(engine));
            const PreviewDrawing drawing = ComputePreviewDrawing(engine);
            ASSERT_TRUE(drawing.complete);
            const std::size_t lattice = drawing.segments.size() - 4;
            ASSERT_EQ(lattice % 2, 0u);
            const auto space = MakePreviewSpace(SelectedPreviewPattern(engine));
            const ScreenPoint t = PreviewScreen(*space, 201, 201).Map(space->T.u, space->T.v);
            bool cornerAtT = false;
            for (std::size_t n = 0; n < lattice; n += 2) {
                const PreviewSegment& toCorner = drawing.segments[n];
                const PreviewSegment& fromCorner = drawing.segments[n + 1];
                ASSERT_EQ(toCorner.colour, kPreviewRed);
                ASSERT_EQ(fromCorner.colour, kPreviewRed);
                ASSERT_EQ(toCorner.x2, fromCorner.x1);
                ASSERT_EQ(toCorner.y2, fromCorner.y1);
                cornerAtT = cornerAtT || (fromCorner.x1 == t.x && fromCorner.y1 == t.y);
            }
            EXPECT_TRUE(cornerAtT);
            if (engine.Horizontal()) {
                const PreviewSegment& firstSide = drawing.segments[lattice];
                EXPECT_EQ(firstSide.x1, t.x);
                EXPECT_EQ(firstSide.y1, t.y);
            }
        });
    }
}

TEST(PreviewDrawing, DrawingTwiceGivesTheSameStrokes) {
    TSlanter engine;
    engine.SetSourceSize({64, 48});
    engine.SetPatternIndex(17);
    const PreviewDrawing first = ComputePreviewDrawing(engine);
    engine.SetPatternIndex(3);
    const PreviewDrawing other = ComputePreviewDrawing(engine);
    engine.SetPatternIndex(17);
    const PreviewDrawing second = ComputePreviewDrawing(engine);
    EXPECT_EQ(first.segments, second.segments);
    EXPECT_NE(first.segments, other.segments);
    EXPECT_EQ(second.background, kPreviewWhite);
    EXPECT_EQ(second.width, 201);
    EXPECT_EQ(second.height, 201);
}

// The columns drawing is the rows drawing a quarter turn on: with the lengths along and
// across swapped, a column's x is the matching row's y.
TEST(PreviewDrawing, ColumnsAreRowsTurnedAQuarter) {
    PreviewPattern rows;
    rows.angle = 0.7;
    rows.slide = 11.5;
    rows.tile = {90, 61};
    rows.sourceWidth = 37;
    rows.sourceHeight = 22;
    PreviewPattern columns = rows;
    columns.horizontal = false;
    columns.tile = {61, 90};
    columns.sourceWidth = 22;
    columns.sourceHeight = 37;
    for (const bool rightUp : {true, false}) {
        rows.rightUp = columns.rightUp = rightUp;
        const PreviewDrawing across = ComputePreviewDrawing(rows, 201, 201);
        const PreviewDrawing up = ComputePreviewDrawing(columns, 201, 201);
        ASSERT_EQ(across.segments.size(), up.segments.size());
        for (std::size_t n = 0; n < up.segments.size(); ++n) {
            EXPECT_EQ(up.segments[n].x1, across.segments[n].y1);
            EXPECT_EQ(up.segments[n].x2, across.segments[n].y2);
        }
    }
}

TEST(PreviewDrawing, NoSelectionOrNoTileLeavesTheWhiteImage) {
    TSlanter engine;
    PreviewDrawing drawing = ComputePreviewDrawing(engine); // no picture yet
    EXPECT_TRUE(drawing.segments.empty());
    EXPECT_EQ(drawing.background, kPreviewWhite);
    EXPECT_EQ(drawing.width, 201);

    engine.SetSourceSize({64, 48}); // patterns, none selected
    EXPECT_TRUE(ComputePreviewDrawing(engine).segments.empty());

    PreviewPattern pattern = TileOf100By50(true);
    pattern.tile = {0, 0};
    drawing = ComputePreviewDrawing(pattern, 201, 201);
    EXPECT_TRUE(drawing.segments.empty());
    EXPECT_TRUE(drawing.complete);

    EXPECT_TRUE(ComputePreviewDrawing(TileOf100By50(true), 0, 0).segments.empty());
}

TEST(PreviewDrawing, AFlatTileStillDrawsItsLatticeAndOutline) {
    PreviewPattern pattern = TileOf100By50(true);
    pattern.tile = {100, 0};
    const PreviewDrawing drawing = ComputePreviewDrawing(pattern, 201, 201);
    ASSERT_GT(drawing.segments.size(), 4u);
    // v = 0 lies at 70·201/140 = 100.5.
    EXPECT_EQ(Outline(drawing)[1], (PreviewSegment{28, 100, 172, 100, kPreviewBlack}));
}

TEST(PreviewDrawing, ACutShortLatticeStillGetsItsOutline) {
    PreviewPattern pattern = TileOf100By50(true);
    pattern.angle = 3.14159265358979; // not a pattern angle: the rows would never end
    const PreviewDrawing drawing = ComputePreviewDrawing(pattern, 201, 201);
    EXPECT_FALSE(drawing.complete);
    EXPECT_LE(drawing.segments.size(), 2 * static_cast<std::size_t>(kLatticeStepBudget) + 4);
    EXPECT_EQ(Outline(drawing)[0], (PreviewSegment{28, 136, 28, 64, kPreviewBlack}));
}

} // namespace
} // namespace slanter
