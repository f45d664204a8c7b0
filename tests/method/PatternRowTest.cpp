#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "engine/Slanter.h"
#include "method/PatternRow.h"

namespace slanter {
namespace {

// The 64 x 48 picture's table ordered by area starts with the pattern of 24.30 degrees,
// area 2, slide 21.668 and tile 116 x 52.
TSlanter AreaOrdered64x48() {
    TSlanter engine;
    engine.SetSortOnAngle(false);
    engine.SetSourceSize({64, 48});
    return engine;
}

TEST(PatternRow, ThePatternOf24Point30DegreesAsTheListShowsIt) {
    const TSlanter engine = AreaOrdered64x48();
    ASSERT_EQ(engine.PatternSize(0), (TPoint{116, 52}));
    const RowTexts texts = PatternRowTexts(engine, 0);
    EXPECT_EQ(texts[0], "24.30");
    EXPECT_EQ(texts[1], "  2");
    // 21.668 of 64 pixels
    EXPECT_EQ(texts[2], "33.86%");
    EXPECT_EQ(texts[3], " 116");
    EXPECT_EQ(texts[4], "  52");
    EXPECT_EQ(PatternItemText(engine, 0), "24.30");
}

TEST(PatternRow, TheSlideIsAShareOfTheWidthInColumnsToo) {
    TSlanter engine;
    engine.SetHorizontal(false);
    engine.SetSourceSize({64, 48});
    for (int index = 0; index < engine.PatternCount(); ++index) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "%5.2f%%", engine.PatternSlide(index) * 100 / 64);
        ASSERT_EQ(PatternRowTexts(engine, index)[2], expected) << index;
    }
}

// Every character 10 wide but the space, 4, and the point, 3: a proportional font.
int Width(const std::string& text) {
    int width = 0;
    for (char c : text)
        width += c == ' ' ? 4 : c == '.' ? 3 : 10;
    return width;
}

TEST(PatternRow, EachTextEndsWhereNEightsEndFromItsColumnsLeft) {
    const RowTexts texts{"24.30", "  2", "33.86%", " 116", "  52"};
    const auto cells = RowCells({50, 30, 80, 20, 300}, texts, Width);
    const int lefts[] = {0, 50, 80, 160, 180};
    const int widths[] = {50, 30, 80, 20, 300};
    const int digits[] = {6, 4, 7, 5, 5};
    for (int c = 0; c < kListColumnCount; ++c) {
        EXPECT_EQ(cells[c].left, lefts[c]) << c;
        EXPECT_EQ(cells[c].width, widths[c]) << c;
        EXPECT_EQ(cells[c].textLeft + Width(texts[c]), 10 * digits[c]) << c;
    }
    // "24.30" is 43 wide and ends at 60, past the 50 of its column: it is cut there.
    EXPECT_EQ(cells[0].textLeft, 17);
}

TEST(PatternRow, ATextWiderThanItsEightsStartsLeftOfItsColumn) {
    const auto cells = RowCells({50, 50, 50, 50, 50}, {"", "12345", "", "", ""}, Width);
    EXPECT_EQ(cells[1].textLeft, 40 - 50);
}

} // namespace
} // namespace slanter
