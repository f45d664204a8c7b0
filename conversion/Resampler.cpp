#include "conversion/Resampler.h"

#include <algorithm>

#include "bitmap/HandyBitmap.h"
#include "conversion/EdgeBlend.h"
#include "engine/Slanter.h"

namespace slanter {

std::int32_t SmoothedColor(const THandyBitmap& source, SourcePosition p) {
    const auto ix = static_cast<std::int32_t>(p.SX);
    const auto iy = static_cast<std::int32_t>(p.SY);
    const EdgeChoice edge = ChooseEdge(p.SX - ix, p.SY - iy);
    const std::int32_t own = source.GetPixelColor(ix, iy);
    if (edge.centre)
        return own;
    const std::int32_t nx = std::clamp(ix + edge.dx, 0, std::max(source.biWidth() - 1, 0));
    const std::int32_t ny = std::clamp(iy + edge.dy, 0, std::max(source.biHeight() - 1, 0));
    return BlendColors(own, source.GetPixelColor(nx, ny), edge.weight);
}

TResampler::TResampler(const TSlanter& engine, const THandyBitmap& source, THandyBitmap& result,
                       bool smoothing)
    : source_(source), result_(result), smoothing_(smoothing),
      mapper_(engine, result.biWidth(), result.biHeight()),
      positions_(static_cast<std::size_t>(mapper_.Rows())) {}

void TResampler::ConvertColumn(std::int32_t column) {
    if (column < 0 || column >= mapper_.Columns())
        return;
    mapper_.MapColumn(column, positions_.data());
    const auto rows = static_cast<std::int32_t>(positions_.size());
    if (smoothing_) {
        for (std::int32_t row = 0; row < rows; ++row)
            result_.SetPixelColor(column, row, SmoothedColor(source_, positions_[row]));
    } else if (result_.PaletteCount() != 0) {
        for (std::int32_t row = 0; row < rows; ++row) {
            const SourcePosition p = positions_[row];
            result_.SetPixelIndex(column, row,
                                  source_.GetPixelIndex(static_cast<std::int32_t>(p.SX),
                                                        static_cast<std::int32_t>(p.SY)));
        }
    } else {
        for (std::int32_t row = 0; row < rows; ++row) {
            const SourcePosition p = positions_[row];
            result_.SetPixelColor(column, row,
                                  source_.GetPixelColor(static_cast<std::int32_t>(p.SX),
                                                        static_cast<std::int32_t>(p.SY)));
        }
    }
}

} // namespace slanter
