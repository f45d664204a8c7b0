#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Slanter.h"

namespace slanter {
namespace {

struct Shown {
    double degrees;
    int area;
    double slide;
    int width;
    int height;
};

// Index of the entry that shows these values (degrees and slide to the shown digits).
int FindPattern(const TSlanter& engine, const Shown& p) {
    for (int k = 0; k < engine.PatternCount(); ++k) {
        const TPoint size = engine.PatternSize(k);
        if (std::fabs(engine.AngleDegrees(k) - p.degrees) < 0.005 &&
            engine.PatternArea(k) == p.area &&
            std::fabs(engine.PatternSlide(k) - p.slide) < 0.0005 && size.X == p.width &&
            size.Y == p.height)
            return k;
    }
    return -1;
}

TSlanter Engine(int width, int height, bool horizontal = true, bool sortOnAngle = true) {
    TSlanter engine;
    engine.SetHorizontal(horizontal);
    engine.SetSortOnAngle(sortOnAngle);
    engine.SetSourceSize({width, height});
    return engine;
}

TEST(BuildPatterns, NewEngineHasNoTableAndNoSelection) {
    const TSlanter engine;
    EXPECT_EQ(engine.SourceWidth(), 0);
    EXPECT_EQ(engine.SourceHeight(), 0);
    EXPECT_EQ(engine.PatternCount(), 0);
    EXPECT_EQ(engine.PatternIndex(), -1);
    EXPECT_TRUE(engine.Horizontal());
    EXPECT_TRUE(engine.RightUp());
    EXPECT_TRUE(engine.SortOnAngle());
    EXPECT_EQ(engine.MapToSource({0, 0}).SX, 0);
}

TEST(BuildPatterns, Picture64x48HorizontalHoldsTheFirstSixFoundPatterns) {
    const TSlanter engine = Engine(64, 48);
    EXPECT_EQ(engine.PatternCount(), 100);
    for (const Shown& p : {Shown{24.30, 2, 21.668, 116, 52}, Shown{65.70, 2, 42.332, 52, 116},
                           Shown{15.00, 3, 12.862, 185, 49}, Shown{75.00, 3, 51.138, 49, 185},
                           Shown{45.00, 3, 48.000, 135, 67}, Shown{45.00, 3, 16.000, 67, 135}})
        EXPECT_GE(FindPattern(engine, p), 0) << p.degrees << " degrees, slide " << p.slide;
}

TEST(BuildPatterns, Picture64x48OrderedOnAngleAndOnArea) {
    const TSlanter byAngle = Engine(64, 48);
    EXPECT_EQ(FindPattern(byAngle, {4.80, 9, 4.028, 573, 48}), 0);
    EXPECT_EQ(FindPattern(byAngle, {5.40, 8, 4.540, 509, 48}), 1);

    const TSlanter byArea = Engine(64, 48, true, false);
    EXPECT_EQ(FindPattern(byArea, {24.30, 2, 21.668, 116, 52}), 0);
    EXPECT_EQ(FindPattern(byArea, {65.70, 2, 42.332, 52, 116}), 1);
    EXPECT_EQ(FindPattern(byArea, {15.00, 3, 12.862, 185, 49}), 2);
    EXPECT_EQ(FindPattern(byArea, {45.00, 3, 16.000, 67, 135}), 3);
    EXPECT_EQ(FindPattern(byArea, {45.00, 3, 48.000, 135, 67}), 4);
    EXPECT_EQ(FindPattern(byArea, {75.00, 3, 51.138, 49, 185}), 5);
}

TEST(BuildPatterns, VerticalArrangementPutsTheExtentAlongColumnsInTheHeight) {
    const TSlanter engine = Engine(64, 48, false);
    EXPECT_EQ(engine.PatternCount(), 100);
    EXPECT_GE(FindPattern(engine, {31.37, 3, 39.015, 74, 122}), 0);
    EXPECT_GE(FindPattern(engine, {58.63, 3, 8.985, 122, 74}), 0);
}

TEST(BuildPatterns, FortyFiveDegreePatternsOfOneCandidateAreOrderedBySlide) {
    const TSlanter engine = Engine(64, 48);
    const int low = FindPattern(engine, {45.00, 3, 16.000, 67, 135});
    const int high = FindPattern(engine, {45.00, 3, 48.000, 135, 67});
    ASSERT_GE(low, 0);
    EXPECT_EQ(high, low + 1);
    EXPECT_EQ(engine.AngleRadians(low), engine.AngleRadians(high));
}

TEST(BuildPatterns, SquarePictureStartsWithAFortyFiveDegreePatternWithoutTwin) {
    const TSlanter byArea = Engine(100, 100, true, false);
    ASSERT_GE(byArea.PatternCount(), 3);
    EXPECT_EQ(byArea.AngleDegrees(0), 45.0);
    EXPECT_EQ(byArea.PatternArea(0), 2);
    EXPECT_EQ(byArea.PatternSlide(0), 0.0);
    EXPECT_EQ(byArea.PatternSize(0), (TPoint{141, 141}));
    EXPECT_EQ(FindPattern(byArea, {20.91, 3, 38.197, 280, 107}), 1);
    EXPECT_EQ(FindPattern(byArea, {69.09, 3, 61.803, 107, 280}), 2);

    int fortyFive = 0;
    for (int k = 0; k < byArea.PatternCount(); ++k)
        fortyFive += byArea.PatternSize(k) == TPoint{141, 141};
    EXPECT_EQ(fortyFive, 1);
}

TEST(BuildPatterns, QueriesOutsideTheTableAnswerZero) {
    const TSlanter engine = Engine(100, 100);
    for (const int index : {-1, engine.PatternCount(), 100, 1000}) {
        EXPECT_EQ(engine.AngleDegrees(index), 0);
        EXPECT_EQ(engine.AngleRadians(index), 0);
        EXPECT_EQ(engine.PatternArea(index), 0);
        EXPECT_EQ(engine.PatternSlide(index), 0);
        EXPECT_EQ(engine.PatternSize(index), (TPoint{0, 0}));
    }
}

TEST(BuildPatterns, InvalidSelectionsLeaveTheSelectionAndItsSineAndCosine) {
    TSlanter empty;
    empty.SetPatternIndex(0);
    EXPECT_EQ(empty.PatternIndex(), -1);

    TSlanter engine = Engine(64, 48);
    engine.SetPatternIndex(5);
    const double sine = engine.SelSin();
    const double cosine = engine.SelCos();
    EXPECT_EQ(sine,
              static_cast<double>(std::sin(static_cast<long double>(engine.AngleRadians(5)))));
    for (const int index : {-1, engine.PatternCount(), 101}) {
        engine.SetPatternIndex(index);
        EXPECT_EQ(engine.PatternIndex(), 5);
        EXPECT_EQ(engine.SelSin(), sine);
        EXPECT_EQ(engine.SelCos(), cosine);
    }
}

TEST(BuildPatterns, ArrangementChosenBeforeTheSizeIsUsedByTheFirstBuild) {
    TSlanter engine;
    engine.SetHorizontal(false);
    EXPECT_EQ(engine.PatternCount(), 0);
    engine.SetSourceSize({64, 48});
    EXPECT_GE(FindPattern(engine, {31.37, 3, 39.015, 74, 122}), 0);
}

TEST(BuildPatterns, SizesBelowOneAreIgnored) {
    TSlanter engine = Engine(64, 48);
    engine.SetSourceSize({0, 48});
    engine.SetSourceSize({64, -1});
    EXPECT_EQ(engine.SourceWidth(), 64);
    EXPECT_EQ(engine.SourceHeight(), 48);
    EXPECT_EQ(engine.PatternCount(), 100);
}

std::vector<double> Slides(const TSlanter& engine) {
    std::vector<double> slides;
    for (int k = 0; k < engine.PatternCount(); ++k)
        slides.push_back(engine.PatternSlide(k));
    return slides;
}

TEST(BuildPatterns, SameSizeAgainDoesNotRebuildSoTableAndSelectionSurvive) {
    TSlanter engine = Engine(64, 48);
    // A short search leaves a table that a rebuild would replace.
    engine.BuildPatternsUpTo(3);
    const std::vector<double> shortTable = Slides(engine);
    ASSERT_LT(shortTable.size(), 100u);
    engine.SetPatternIndex(2);

    engine.SetSourceSize({64, 48});
    EXPECT_EQ(Slides(engine), shortTable);
    EXPECT_EQ(engine.PatternIndex(), 2);
    engine.SetSourceSize({48, 64});
    EXPECT_EQ(engine.PatternCount(), 100);
}

TEST(BuildPatterns, RebuildKeepsTheSelectionIndexEvenWhenItNowLiesBeyondTheTable) {
    TSlanter engine = Engine(64, 48);
    engine.SetPatternIndex(99);
    engine.SetSourceSize({2000, 2000});
    EXPECT_EQ(engine.PatternIndex(), 99);
    ASSERT_LT(engine.PatternCount(), 100);
    EXPECT_EQ(engine.MapToSource({0, 0}).SX, 0);
}

TEST(BuildPatterns, RightUpChangesNoPattern) {
    TSlanter engine = Engine(64, 48);
    const std::vector<double> before = Slides(engine);
    engine.SetRightUp(false);
    EXPECT_EQ(Slides(engine), before);
}

} // namespace
} // namespace slanter
