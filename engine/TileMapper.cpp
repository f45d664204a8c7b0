#include "engine/TileMapper.h"

#include <algorithm>

#include "engine/Slanter.h"

namespace slanter {

namespace {

LayoutFold LayoutOf(const TSlanter& engine) {
    if (engine.PatternIndex() < 0 || engine.PatternIndex() >= engine.PatternCount())
        return {1, 1, 0, true, true};
    return engine.SelectedLayout();
}

} // namespace

TileMapper::TileMapper(const TSlanter& engine, std::int32_t columns, std::int32_t rows)
    : selected_(engine.PatternIndex() >= 0 && engine.PatternIndex() < engine.PatternCount()),
      rightUp_(engine.RightUp()), cos_(engine.SelCos()), sin_(engine.SelSin()),
      layout_(LayoutOf(engine)) {
    const auto products = [this](std::int32_t count, std::vector<Extended>& withCos,
                                 std::vector<Extended>& withSin) {
        count = std::max(count, 0);
        withCos.resize(static_cast<std::size_t>(count));
        withSin.resize(static_cast<std::size_t>(count));
        for (std::int32_t k = 0; k < count; ++k) {
            const double centre = k + 0.5;
            withCos[k] = centre * cos_;
            withSin[k] = centre * sin_;
        }
    };
    products(columns, columnCos_, columnSin_);
    products(rows, rowCos_, rowSin_);
}

void TileMapper::MapColumn(std::int32_t column, SourcePosition* positions) const {
    const std::int32_t rows = Rows();
    if (!selected_) {
        std::fill(positions, positions + rows, SourcePosition{});
        return;
    }
    const Extended columnCos = columnCos_[column];
    const Extended columnSin = columnSin_[column];
    for (std::int32_t row = 0; row < rows; ++row) {
        double sx = 0;
        double sy = 0;
        if (rightUp_) {
            sx = StoreDouble(columnCos + rowSin_[row]);
            sy = StoreDouble(rowCos_[row] - columnSin);
        } else {
            sx = StoreDouble(columnCos - rowSin_[row]);
            sy = StoreDouble(rowCos_[row] + columnSin);
        }
        positions[row] = layout_.Fold(sx, sy);
    }
}

} // namespace slanter
