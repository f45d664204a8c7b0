#include <bit>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Slanter.h"
#include "engine/TileMapper.h"

namespace slanter {
namespace {

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

TEST(TileMapper, ColumnsGiveMapToSourceBitForBit) {
    for (const auto& [w, h] :
         {std::pair{64, 48}, std::pair{5, 3}, std::pair{1, 1}, std::pair{300, 7}}) {
        for (const bool horizontal : {true, false}) {
            for (const bool rightUp : {true, false}) {
                TSlanter engine;
                engine.SetHorizontal(horizontal);
                engine.SetRightUp(rightUp);
                engine.SetSourceSize({w, h});
                for (int index = 0; index < engine.PatternCount(); index += 7) {
                    engine.SetPatternIndex(index);
                    const TPoint tile = engine.PatternSize(index);
                    if (std::int64_t{tile.X} * tile.Y > 200000)
                        continue;
                    const TileMapper mapper(engine, tile.X, tile.Y);
                    std::vector<SourcePosition> column(tile.Y);
                    for (int x = 0; x < tile.X; ++x) {
                        mapper.MapColumn(x, column.data());
                        for (int y = 0; y < tile.Y; ++y) {
                            const SourcePosition p = engine.MapToSource({x, y});
                            ASSERT_TRUE(SameBits(column[y].SX, p.SX) &&
                                        SameBits(column[y].SY, p.SY))
                                << w << "x" << h << " pattern " << index << " pixel " << x << ","
                                << y;
                        }
                    }
                }
            }
        }
    }
}

TEST(TileMapper, WithoutSelectionEveryPositionIsTheOrigin) {
    TSlanter engine;
    engine.SetSourceSize({64, 48});
    const TileMapper mapper(engine, 3, 3);
    std::vector<SourcePosition> column(3, SourcePosition{7, 7});
    mapper.MapColumn(2, column.data());
    for (const SourcePosition& p : column) {
        EXPECT_EQ(p.SX, 0);
        EXPECT_EQ(p.SY, 0);
    }
}

} // namespace
} // namespace slanter
