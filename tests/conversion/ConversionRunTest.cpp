#include <vector>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "conversion/ConversionRun.h"
#include "conversion/Progress.h"
#include "engine/Slanter.h"
#include "support/BlockPicture.h"

namespace slanter {
namespace {

TEST(Progress, PercentCountsTheCurrentColumnAsStarted) {
    EXPECT_EQ(ProgressPercent(0, 2), 0);
    EXPECT_EQ(ProgressPercent(1, 2), 100);
    EXPECT_EQ(ProgressPercent(50, 101), 50);
    EXPECT_EQ(ProgressPercent(2, 4), 66);
    // One column: nothing to divide by; the bar is simply full.
    EXPECT_EQ(ProgressPercent(0, 1), 100);
}

TEST(Progress, EstimateRoundsFractionsFromTwoTenthsUp) {
    // 50 columns left after column 50 of 101, ten seconds for 51 columns: 9.80 s.
    EXPECT_EQ(EstimateSeconds(10.0, 50, 101), 10);
    // One column left after one took 1.25 s, or 1.125 s.
    EXPECT_EQ(EstimateSeconds(1.25, 0, 2), 2);
    EXPECT_EQ(EstimateSeconds(1.125, 0, 2), 1);
    EXPECT_EQ(EstimateSeconds(0.0, 0, 1), 0);
    EXPECT_EQ(EstimateText(10, false), "Finish in about 10 seconds");
    EXPECT_EQ(EstimateText(3, true), "あと3秒くらい");
}

TEST(Progress, DayCountsGiveSecondsAndTheClockMovesForward) {
    EXPECT_DOUBLE_EQ(ElapsedSeconds(45000.0, 45000.5), 43200.0);
    const double first = NowAsDayCount();
    EXPECT_GT(first, 45000.0); // after 2023
    EXPECT_GE(NowAsDayCount(), first);
}

class ConversionRunTest : public ::testing::Test {
  protected:
    ConversionRunTest() : picture(20, 10, 24, 5) {
        engine.SetSourceSize({20, 10});
        engine.SetSortOnAngle(false);
        engine.SetPatternIndex(0);
    }
    testing::BlockPicture picture;
    TSlanter engine;
};

TEST_F(ConversionRunTest, ReportsEveryColumnWithTheClockItIsGiven) {
    std::vector<ColumnProgress> shown;
    double day = 45000.0;
    RunHooks hooks;
    hooks.keepGoing = [] { return true; };
    hooks.showProgress = [&](const ColumnProgress& p) { shown.push_back(p); };
    // Each reading of the clock is one second later than the one before.
    hooks.clock = [&] { return day += 1.0 / 86400; };
    THandyBitmap result;
    ASSERT_EQ(ComputeResult(engine, picture.Bitmap(), false, result, hooks), RunOutcome::Finished);
    const int width = engine.PatternSize(0).X;
    ASSERT_EQ(int(shown.size()), width);
    EXPECT_EQ(shown.front().percent, 0);
    EXPECT_EQ(shown.back().percent, 100);
    // Before column c, c + 1 seconds have passed: (width - c - 1) more at one a column.
    for (int c = 0; c < width; ++c)
        EXPECT_EQ(shown[c].estimateSeconds, width - c - 1) << c;
}

TEST_F(ConversionRunTest, CancelStopsBeforeTheRefusedColumnsRowsAndWritesNoneAfter) {
    const int cancelBefore = 4;
    int asked = 0;
    std::vector<std::int32_t> told;
    RunHooks hooks;
    hooks.keepGoing = [&] { return asked++ < cancelBefore; };
    hooks.rowsDone = [&](std::int32_t rows) { told.push_back(rows); };
    THandyBitmap result;
    EXPECT_EQ(ComputeResult(engine, picture.Bitmap(), false, result, hooks), RunOutcome::Cancelled);
    EXPECT_EQ(asked, cancelBefore + 1);
    // The rows told finished are computed; no other cell is. The block colours are never
    // black, so black marks an untouched cell.
    const std::int32_t finished = told.empty() ? 0 : told.back();
    EXPECT_LT(finished, result.biHeight());
    for (int y = 0; y < result.biHeight(); ++y)
        for (int x = 0; x < result.biWidth(); ++x)
            EXPECT_EQ(result.GetPixelColor(x, y) != 0, y < finished) << x << "," << y;
}

} // namespace
} // namespace slanter
