#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Slanter.h"
#include "support/PlainPatternSearch.h"
#include "support/ReferenceTable.h"

namespace slanter {
namespace {

using Entry = std::tuple<double, int, double, int, int>;

std::vector<Entry> Entries(const TSlanter& engine) {
    std::vector<Entry> entries;
    for (int k = 0; k < engine.PatternCount(); ++k) {
        const TPoint size = engine.PatternSize(k);
        entries.emplace_back(engine.AngleRadians(k), engine.PatternArea(k), engine.PatternSlide(k),
                             size.X, size.Y);
    }
    return entries;
}

TSlanter Engine(int width, int height, bool horizontal) {
    TSlanter engine;
    engine.SetHorizontal(horizontal);
    engine.SetSourceSize({width, height});
    return engine;
}

// The search stops at the last multiplier whose tiles can still fit; searching four
// times further must find nothing more.
TEST(SearchBound, SearchingFurtherFindsNoMorePatterns) {
    for (const auto& [w, h] : {std::pair{2000, 2000}, std::pair{100, 5000}, std::pair{1500, 1100},
                               std::pair{3000, 700}, std::pair{9999, 9999}, std::pair{5000, 5000},
                               std::pair{1200, 4000}, std::pair{700, 700}}) {
        for (const bool horizontal : {true, false}) {
            const TSlanter bounded = Engine(w, h, horizontal);
            TSlanter further = Engine(w, h, horizontal);
            further.BuildPatternsUpTo(4 * further.LastUsefulMultiplier() + 4);
            EXPECT_EQ(Entries(bounded), Entries(further))
                << w << "x" << h << (horizontal ? " rows" : " columns");
        }
    }
}

TEST(SearchBound, LargeSquareFindsPatternsBeyondAnEmptyMultiplier) {
    const TSlanter engine = Engine(2000, 2000, true);
    EXPECT_GT(engine.PatternCount(), 0);
    EXPECT_LT(engine.PatternCount(), 100);
    // Multiplier 13 and later still add patterns after 12 has stored nothing:
    // a search that stopped at the first empty multiplier would miss them.
    TSlanter stopped = Engine(2000, 2000, true);
    stopped.BuildPatternsUpTo(12);
    EXPECT_LT(stopped.PatternCount(), engine.PatternCount());
    TSlanter through12 = Engine(2000, 2000, true);
    through12.BuildPatternsUpTo(11);
    EXPECT_EQ(Entries(through12), Entries(stopped));
}

TEST(SearchBound, ExtremeSizesEndWithSortedTablesOfFittingTiles) {
    for (const auto& [w, h] : {std::pair{1, 1}, std::pair{9999, 1}, std::pair{1, 9999},
                               std::pair{9999, 9999}, std::pair{9999, 9998}, std::pair{2, 9999},
                               std::pair{9999, 3}, std::pair{64, 48}, std::pair{1920, 1080}}) {
        for (const bool horizontal : {true, false}) {
            const TSlanter engine = Engine(w, h, horizontal);
            ASSERT_LE(engine.PatternCount(), 100);
            for (int k = 0; k < engine.PatternCount(); ++k) {
                const TPoint size = engine.PatternSize(k);
                EXPECT_TRUE(size.X >= 1 && size.X <= 9999 && size.Y >= 1 && size.Y <= 9999);
                const double angle = engine.AngleRadians(k);
                EXPECT_TRUE(angle > 0 && angle < 1.5707963267948966);
                if (k > 0) {
                    EXPECT_LE(engine.AngleRadians(k - 1), angle);
                }
            }
        }
    }
    EXPECT_EQ(Engine(9999, 9999, true).PatternCount(), 0);
}

TEST(SearchBound, TableHoldsNoDuplicatesAndSlidesWithinOnePicture) {
    for (const auto& [w, h] : {std::pair{64, 48}, std::pair{1, 1}, std::pair{5, 3},
                               std::pair{100, 100}, std::pair{37, 250}}) {
        for (const bool horizontal : {true, false}) {
            const TSlanter engine = Engine(w, h, horizontal);
            const double along = horizontal ? w : h;
            for (int p = 0; p < engine.PatternCount(); ++p) {
                EXPECT_LT(engine.PatternSlide(p), 0.99999 * along);
                EXPECT_GE(engine.PatternSlide(p), -0.00001 * along);
                for (int q = p + 1; q < engine.PatternCount(); ++q) {
                    const bool same =
                        std::fabs(engine.AngleRadians(p) - engine.AngleRadians(q)) < 0.0001 &&
                        engine.PatternSize(p) == engine.PatternSize(q) &&
                        std::fabs(engine.PatternSlide(p) - engine.PatternSlide(q)) < 0.0001;
                    EXPECT_FALSE(same) << w << "x" << h << " entries " << p << " and " << q;
                }
            }
        }
    }
}

TEST(SearchBound, EitherOrderHoldsTheSameEntries) {
    for (const auto& [w, h] : {std::pair{64, 48}, std::pair{31, 77}, std::pair{640, 480}}) {
        TSlanter engine = Engine(w, h, true);
        std::vector<Entry> byAngle = Entries(engine);
        engine.SetSortOnAngle(false);
        std::vector<Entry> byArea = Entries(engine);
        for (std::size_t k = 1; k < byArea.size(); ++k)
            EXPECT_LE(std::get<1>(byArea[k - 1]), std::get<1>(byArea[k]));
        std::sort(byAngle.begin(), byAngle.end());
        std::sort(byArea.begin(), byArea.end());
        EXPECT_EQ(byAngle, byArea);
    }
}

// The search skips the candidates whose tile cannot fit; every table must still be the
// one that trying them all builds, bit for bit and in the same order.
void ExpectPlainTable(int w, int h) {
    for (const bool horizontal : {true, false}) {
        TSlanter engine = Engine(w, h, horizontal);
        const std::int64_t last = engine.LastUsefulMultiplier();
        for (const bool byAngle : {true, false}) {
            engine.SetSortOnAngle(byAngle);
            ASSERT_EQ(testing::TableOf(engine),
                      testing::PlainPatternSearch(w, h, horizontal, byAngle, last))
                << w << "x" << h << (horizontal ? " rows" : " columns")
                << (byAngle ? " by angle" : " by area");
        }
    }
}

TEST(SearchBound, EverySmallPictureGetsTheTableOfTheFullSearch) {
    for (int w = 1; w <= 40; ++w)
        for (int h = 1; h <= 40; ++h)
            ExpectPlainTable(w, h);
}

TEST(SearchBound, LargeAndLongPicturesGetTheTableOfTheFullSearch) {
    for (const auto& [w, h] :
         {std::pair{2000, 2000}, std::pair{100, 5000}, std::pair{640, 480}, std::pair{1920, 1080},
          std::pair{9999, 9999}, std::pair{3000, 700}, std::pair{7000, 1}, std::pair{14000, 1},
          std::pair{20000, 3}, std::pair{30001, 2}, std::pair{4096, 97}, std::pair{12000, 13},
          std::pair{50000, 1}, std::pair{70001, 1}, std::pair{100, 9999}, std::pair{5000, 5001},
          std::pair{14143, 7}, std::pair{6000, 200}})
        ExpectPlainTable(w, h);
}

// Pictures of 1 to 100 million pixels whose tables mostly stay below 100 entries, where
// most candidates cannot fit and the search skips the most.
TEST(SearchBound, PicturesAcrossTheMultiplierBoundGetTheTableOfTheFullSearch) {
    for (const int across : {37, 100, 333, 577, 1000, 2500}) {
        const int last = std::min(100'000'000 / across, 600 * across);
        for (int along = across + 1; along <= last; along = along * 8 / 5 + 1)
            ExpectPlainTable(along, across);
    }
}

// Long pictures whose full search takes minutes: their tables as that search built them.
TEST(SearchBound, LongPicturesGetTheTablesTheFullSearchRecorded) {
    std::ifstream in(testing::TestDataPath("patterns/long-pictures.txt"));
    std::string word;
    int tables = 0;
    while (in >> word) {
        ASSERT_EQ(word, "size");
        int w = 0;
        int h = 0;
        std::string arrangement;
        std::size_t count = 0;
        in >> w >> h >> arrangement >> count;
        std::vector<testing::PatternEntry> recorded(count);
        for (testing::PatternEntry& entry : recorded) {
            std::string angle;
            std::string slide;
            in >> angle >> entry.area >> slide >> entry.size.X >> entry.size.Y;
            entry.angle = std::strtod(angle.c_str(), nullptr);
            entry.slide = std::strtod(slide.c_str(), nullptr);
        }
        ASSERT_TRUE(in);
        EXPECT_EQ(testing::TableOf(Engine(w, h, arrangement == "rows")), recorded)
            << w << "x" << h << " " << arrangement;
        ++tables;
    }
    EXPECT_EQ(tables, 6);
}

} // namespace
} // namespace slanter
