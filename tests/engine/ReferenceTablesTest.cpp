#include <gtest/gtest.h>

#include "engine/PatternColumns.h"
#include "engine/Slanter.h"
#include "support/ReferenceTable.h"

namespace slanter {
namespace {

struct TableCase {
    const char* file;
    bool horizontal;
    bool sortOnAngle;
};

std::string CaseName(const ::testing::TestParamInfo<TableCase>& info) {
    return std::string(info.param.horizontal ? "Rows" : "Columns") +
           (info.param.sortOnAngle ? "ByAngle" : "ByArea");
}

class ReferenceTables : public ::testing::TestWithParam<TableCase> {};

// The tables were computed independently with 80-bit intermediates; every double must
// agree to its last bit, because equal-looking angles are ordered by that bit.
TEST_P(ReferenceTables, EveryEntryMatchesToTheLastBitInTableOrder) {
    const TableCase& table = GetParam();
    const auto rows =
        testing::ReadReferenceTable(testing::TestDataPath(std::string("patterns/") + table.file));
    ASSERT_EQ(rows.size(), 100u);

    TSlanter engine;
    engine.SetHorizontal(table.horizontal);
    engine.SetSortOnAngle(table.sortOnAngle);
    engine.SetSourceSize({64, 48});
    ASSERT_EQ(engine.PatternCount(), 100);

    for (int index = 0; index < 100; ++index) {
        SCOPED_TRACE("entry " + std::to_string(index));
        const testing::ReferenceRow& row = rows[index];
        EXPECT_EQ(engine.AngleDegrees(index), row.degrees);
        EXPECT_EQ(engine.PatternArea(index), row.area);
        EXPECT_EQ(engine.PatternSlide(index), row.slide);
        EXPECT_EQ(engine.PatternSize(index), row.size);

        const PatternColumns shown = FormatPatternColumns(engine, index);
        EXPECT_EQ(shown.angle, row.shown.angle);
        EXPECT_EQ(shown.area, row.shown.area);
        EXPECT_EQ(shown.slide, row.shown.slide);
        EXPECT_EQ(shown.width, row.shown.width);
        EXPECT_EQ(shown.height, row.shown.height);
    }
}

INSTANTIATE_TEST_SUITE_P(Picture64x48, ReferenceTables,
                         ::testing::Values(TableCase{"64x48-horizontal-angle.txt", true, true},
                                           TableCase{"64x48-horizontal-area.txt", true, false},
                                           TableCase{"64x48-vertical-angle.txt", false, true},
                                           TableCase{"64x48-vertical-area.txt", false, false}),
                         CaseName);

} // namespace
} // namespace slanter
