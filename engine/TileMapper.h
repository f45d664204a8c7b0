#pragma once

#include <cstdint>
#include <vector>

#include "engine/Extended.h"
#include "engine/LayoutFold.h"
#include "engine/Point.h"

namespace slanter {

class TSlanter;

// MapToSource for whole columns of the selected pattern's tile, with the same doubles.
// Each product of the turn depends on the column or on the row alone, so they are all
// taken once per tile; each pixel then costs two extended sums and the fold.
class TileMapper {
  public:
    // The engine's selection as it stands now, for a tile of columns x rows pixels.
    TileMapper(const TSlanter& engine, std::int32_t columns, std::int32_t rows);

    // MapToSource(column, row), for a pixel of the tile.
    SourcePosition Map(std::int32_t column, std::int32_t row) const {
        if (!selected_)
            return {};
        double sx = 0;
        double sy = 0;
        if (rightUp_) {
            sx = StoreDouble(columnCos_[column] + rowSin_[row]);
            sy = StoreDouble(rowCos_[row] - columnSin_[column]);
        } else {
            sx = StoreDouble(columnCos_[column] - rowSin_[row]);
            sy = StoreDouble(rowCos_[row] + columnSin_[column]);
        }
        return layout_.Fold(sx, sy);
    }

    // Source positions of pixels (column, 0) to (column, Rows() - 1).
    void MapColumn(std::int32_t column, SourcePosition* positions) const;
    std::int32_t Columns() const { return static_cast<std::int32_t>(columnCos_.size()); }
    std::int32_t Rows() const { return static_cast<std::int32_t>(rowCos_.size()); }

  private:
    bool selected_;
    bool rightUp_;
    Extended cos_;
    Extended sin_;
    LayoutFold layout_;
    // The turn's products, (X + 0.5) * cos and so on, as the turn computes them.
    std::vector<Extended> columnCos_;
    std::vector<Extended> columnSin_;
    std::vector<Extended> rowCos_;
    std::vector<Extended> rowSin_;
};

} // namespace slanter
