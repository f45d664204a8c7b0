#include "conversion/Resampler.h"

#include <algorithm>
#include <cmath>

#include "bitmap/HandyBitmap.h"
#include "conversion/EdgeBlend.h"
#include "engine/Slanter.h"

namespace slanter {

namespace {

// The cell [cell, cell + 1) of an axis of `size` cells that holds every value within
// `bound` of `value`, or -1 when no single cell holds them all.
inline std::int32_t SettledCell(double value, double bound, std::int32_t size) {
    const double low = value - bound;
    const double high = value + bound;
    if (!(low >= 0 && high < size))
        return -1;
    const auto cell = static_cast<std::int32_t>(low);
    return cell == static_cast<std::int32_t>(high) ? cell : -1;
}

// Whether value lies more than `bound` away from `mark`.
inline bool Clear(double value, double mark, double bound) {
    return std::fabs(value - mark) > bound;
}

// One channel of the blend, trunc(own * w + (1 - w) * neighbour), from a weight known to
// within weightBound; -1 when that does not settle it. BlendColors computes exactly
// floor(neighbour + (own - neighbour) * w), which lies between the two channels.
inline int SettledChannel(int own, int neighbour, double weight, double weightBound) {
    if (own == neighbour)
        return own;
    const int difference = own - neighbour;
    const double value = neighbour + difference * weight;
    const double bound = std::abs(difference) * weightBound + 0x1p-40;
    const auto low = static_cast<int>(value - bound);
    return low == static_cast<int>(value + bound) ? low : -1;
}

} // namespace

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
    : source_(source), result_(result), mode_(smoothing                    ? Mode::Smooth
                                              : result.PaletteCount() != 0 ? Mode::Index
                                                                           : Mode::Color),
      mapper_(engine, result.biWidth(), result.biHeight()),
      fast_(engine, result.biWidth(), result.biHeight()) {
    const bool sourceWhole = source.biWidth() == engine.SourceWidth() &&
                             source.biHeight() == engine.SourceHeight() && source.biHeight() > 0 &&
                             source.CellRow(0) != nullptr &&
                             source.CellRow(source.biHeight() - 1) != nullptr;
    const bool resultWhole = result.biHeight() > 0 && result.CellRow(0) != nullptr &&
                             result.CellRow(result.biHeight() - 1) != nullptr;
    // The setters write only what their record's kind allows; the fast way writes cells
    // only where they would.
    const bool writable =
        mode_ == Mode::Index ? source.PaletteCount() != 0 : result.PaletteCount() == 0;
    direct_ = sourceWhole && resultWhole && writable;
    columnScratch_ = MakeScratch(1);
}

TResampler::Scratch TResampler::MakeScratch(std::int32_t blockColumns) const {
    Scratch scratch;
    scratch.sx.resize(static_cast<std::size_t>(std::max(blockColumns, 1)));
    scratch.sy.resize(scratch.sx.size());
    return scratch;
}

void TResampler::ConvertColumn(std::int32_t column) {
    ConvertBlock({column, column + 1, 0, Rows()}, columnScratch_);
}

void TResampler::ConvertBlock(const PixelBlock& block, Scratch& scratch) {
    const std::int32_t first = std::max(block.firstColumn, 0);
    const std::int32_t last = std::min(block.lastColumn, Columns());
    const std::int32_t top = std::min(block.lastRow, Rows());
    if (first >= last || static_cast<std::size_t>(last - first) > scratch.sx.size())
        return;
    for (std::int32_t row = std::max(block.firstRow, 0); row < top; ++row) {
        if (!direct_) {
            for (std::int32_t column = first; column < last; ++column)
                ExactPixel(column, row);
            scratch.exactPixels += last - first;
        } else if (mode_ == Mode::Smooth) {
            SmoothRow(row, first, last, scratch);
        } else {
            PlainRow(row, first, last, scratch);
        }
    }
}

void TResampler::ExactPixel(std::int32_t column, std::int32_t row) {
    const SourcePosition p = mapper_.Map(column, row);
    const auto ix = static_cast<std::int32_t>(p.SX);
    const auto iy = static_cast<std::int32_t>(p.SY);
    switch (mode_) {
    case Mode::Smooth:
        return result_.SetPixelColor(column, row, SmoothedColor(source_, p));
    case Mode::Index:
        return result_.SetPixelIndex(column, row, source_.GetPixelIndex(ix, iy));
    case Mode::Color:
        return result_.SetPixelColor(column, row, source_.GetPixelColor(ix, iy));
    }
}

std::int32_t TResampler::ColorOf(std::int32_t cell) const {
    return source_.PaletteCount() == 0 ? cell : source_.GetPaletteColor(cell);
}

void TResampler::PlainRow(std::int32_t row, std::int32_t first, std::int32_t last,
                          Scratch& scratch) {
    double* sx = scratch.sx.data();
    double* sy = scratch.sy.data();
    fast_.MapRow(row, first, last, sx, sy);
    const double bound = fast_.Bound();
    const std::int32_t width = source_.biWidth();
    const std::int32_t height = source_.biHeight();
    const std::int32_t* cells = source_.CellRow(0);
    std::int32_t* out = result_.CellRow(row);
    const std::int32_t count = last - first;
    const bool indexed = mode_ == Mode::Index;
    const bool paletteColors = !indexed && source_.PaletteCount() != 0;
    const std::int32_t resultColors = result_.PaletteCount();
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t ix = SettledCell(sx[i], bound, width);
        const std::int32_t iy = SettledCell(sy[i], bound, height);
        if ((ix | iy) < 0) {
            ExactPixel(first + i, row);
            ++scratch.exactPixels;
            continue;
        }
        const std::int32_t cell = cells[std::int64_t{iy} * width + ix];
        if (indexed) {
            // As SetPixelIndex: an index the palette does not hold is not written.
            if (cell >= 0 && cell < resultColors)
                out[first + i] = cell;
        } else {
            out[first + i] = paletteColors ? ColorOf(cell) : cell;
        }
    }
}

void TResampler::SmoothRow(std::int32_t row, std::int32_t first, std::int32_t last,
                           Scratch& scratch) {
    double* sx = scratch.sx.data();
    double* sy = scratch.sy.data();
    fast_.MapRow(row, first, last, sx, sy);
    // The position within its cell errs as the position does; the weight, 2.5 - 2 f or
    // 0.5 + 2 f rounded to double, by twice that and one rounding.
    const double bound = fast_.Bound();
    const double inCell = bound + 0x1p-50;
    const double weightBound = 2 * inCell + 0x1p-50;
    const std::int32_t width = source_.biWidth();
    const std::int32_t height = source_.biHeight();
    const std::int32_t* cells = source_.CellRow(0);
    std::int32_t* out = result_.CellRow(row);
    const std::int32_t count = last - first;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t column = first + i;
        const std::int32_t ix = SettledCell(sx[i], bound, width);
        const std::int32_t iy = SettledCell(sy[i], bound, height);
        const double fx = sx[i] - ix;
        const double fy = sy[i] - iy;
        // Every border that ChooseEdge draws must lie clear of the position's bound.
        const bool settled = (ix | iy) >= 0 && Clear(fx, 0.25, inCell) && Clear(fx, 0.75, inCell) &&
                             Clear(fy, 0.25, inCell) && Clear(fy, 0.75, inCell) &&
                             Clear(fy - fx, 0, 2 * inCell) && Clear(fx + fy, 1, 2 * inCell);
        if (!settled) {
            ExactPixel(column, row);
            ++scratch.exactPixels;
            continue;
        }
        const std::int32_t own = ColorOf(cells[std::int64_t{iy} * width + ix]);
        if (fx >= 0.25 && fx < 0.75 && fy >= 0.25 && fy < 0.75) {
            out[column] = own;
            continue;
        }
        const bool aboveOne = fx + fy > 1;
        int dx = 0;
        int dy = 0;
        double weight = 0;
        if (fy > fx) {
            if (aboveOne) {
                dy = 1;
                weight = 2.5 - 2 * fy;
            } else {
                dx = -1;
                weight = 0.5 + 2 * fx;
            }
        } else if (aboveOne) {
            dx = 1;
            weight = 2.5 - 2 * fx;
        } else {
            dy = -1;
            weight = 0.5 + 2 * fy;
        }
        const std::int32_t nx = std::clamp(ix + dx, 0, width - 1);
        const std::int32_t ny = std::clamp(iy + dy, 0, height - 1);
        const std::int32_t neighbour = ColorOf(cells[std::int64_t{ny} * width + nx]);
        // Colours outside 24 bits (a palette's -1) take the exact way.
        std::int32_t color = (own | neighbour) >= 0 && (own | neighbour) < (1 << 24) ? 0 : -1;
        for (int shift = 0; shift < 24 && color >= 0; shift += 8) {
            const int channel =
                SettledChannel(own >> shift & 255, neighbour >> shift & 255, weight, weightBound);
            color = channel < 0 ? -1 : color | channel << shift;
        }
        if (color < 0) {
            ExactPixel(column, row);
            ++scratch.exactPixels;
            continue;
        }
        out[column] = color;
    }
}

} // namespace slanter
