#include "conversion/Resampler.h"

#include <algorithm>
#include <cmath>

#include "bitmap/HandyBitmap.h"
#include "conversion/EdgeBlend.h"
#include "conversion/KeptBlend.h"
#include "engine/Slanter.h"

namespace slanter {

namespace {

// The widest strip of a block converted row by row; see ConvertBlock.
constexpr std::int32_t kStripColumns = 128;

// For each position, the source cell (its offset in the cells) that holds every point
// within `bound` of it, or -1; branch-free, so that the loop vectorises.
void SettleCells(const double* __restrict sx, const double* __restrict sy, std::int32_t count,
                 double bound, std::int32_t width, std::int32_t height,
                 std::int32_t* __restrict cells) {
    const double right = width;
    const double top = height;
    for (std::int32_t i = 0; i < count; ++i) {
        const double left = sx[i] - bound;
        const double rightmost = sx[i] + bound;
        const double bottom = sy[i] - bound;
        const double topmost = sy[i] + bound;
        const auto ix = static_cast<std::int32_t>(left);
        const auto iy = static_cast<std::int32_t>(bottom);
        const bool inside = (left >= 0) & (rightmost < right) & (bottom >= 0) & (topmost < top) &
                            (ix == static_cast<std::int32_t>(rightmost)) &
                            (iy == static_cast<std::int32_t>(topmost));
        cells[i] = inside ? iy * width + ix : -1;
    }
}

// The blend's weight as a whole number of 2^-kWeightBits: fine enough that a weight
// known to within the mapping's bound rarely leaves a channel unsettled, coarse enough
// that a channel's sum and margin stay within 31 bits.
constexpr int kWeightBits = 22;

// For each position, what ChooseEdge would choose, where the bound settles it: the
// cell holding it (its offset in the cells) or -1, the neighbour to blend with (the cell
// itself in the centre zone and where the border clamps it, -1 with the cell) and the
// own pixel's weight, rounded down to kWeightBits.
//
// Measured from the cell's centre, (a, b) = (fx, fy) - 1/2, ChooseEdge's borders are
// |a| = 1/4, |b| = 1/4 and the diagonals |a| = |b|, the cell's own edges |a| = |b| = 1/2;
// outside the centre zone the neighbour lies beyond the larger of |a| and |b|, on its
// side, and the weight, 2.5 - 2 f or 0.5 + 2 f, is 1.5 - 2 max(|a|, |b|). Every border
// must lie clear of the position's bound (a diagonal's distance along an axis counts
// half); a, b and the distances then err by a rounding or two each, below the 2^-50 on
// top of the bound, and the weight by twice the bound and a rounding. Whole numbers below
// 2^53 stay exact in doubles; branch-free, so that the loop vectorises.
void SettleEdges(const double* __restrict sx, const double* __restrict sy, std::int32_t count,
                 double bound, std::int32_t width, std::int32_t height,
                 std::int32_t* __restrict cells, std::int32_t* __restrict neighbours,
                 std::int32_t* __restrict weights) {
    const double right = width;
    const double top = height;
    const double inCell = bound + 0x1p-50;
    for (std::int32_t i = 0; i < count; ++i) {
        // Truncation: a position left of or below the picture ends with |a| or |b| at
        // least 1/2, which no cell settles.
        const double ix = static_cast<double>(static_cast<std::int32_t>(sx[i]));
        const double iy = static_cast<double>(static_cast<std::int32_t>(sy[i]));
        const double a = (sx[i] - ix) - 0.5;
        const double b = (sy[i] - iy) - 0.5;
        const double across = std::fabs(a);
        const double up = std::fabs(b);
        const double farthest = std::max(across, up);
        const double nearest = std::min(std::min(std::fabs(across - 0.25), std::fabs(up - 0.25)),
                                        std::min(0.5 * std::fabs(across - up), 0.5 - farthest));
        const bool settled = (nearest > inCell) & (ix < right) & (iy < top);
        weights[i] = static_cast<std::int32_t>((1.5 - 2 * farthest) * (1 << kWeightBits));
        // The neighbour's offset, 0 where the border clamps it or in the centre zone.
        const bool vertical = up > across;
        const double side = vertical ? b : a;
        const double along = vertical ? iy : ix;
        const double last = vertical ? top - 1 : right - 1;
        const double step = vertical ? right : 1.0;
        const double offset = farthest < 0.25 ? 0.0
                              : side > 0      ? (along < last ? step : 0.0)
                                              : (along > 0 ? -step : 0.0);
        const double own = iy * right + ix;
        cells[i] = static_cast<std::int32_t>(settled ? own : -1.0);
        neighbours[i] = static_cast<std::int32_t>(settled ? own + offset : -1.0);
    }
}

// The blend of each pair of colours, BlendColors(own, other, w) with w = W / 2^kWeightBits
// known to within `margin` units of W, or -1 where that does not settle a channel or a
// colour lies outside 24 bits. A channel's exact value lies strictly within its
// difference times the margin of y * 2^kWeightBits + (x - y) * W, so it is settled
// where both ends of that interval have the same whole part; equal channels (the centre
// zone, a clamped neighbour) settle whatever the weight. All in 32-bit integers, so that
// the loop vectorises.
void BlendSettled(const std::int32_t* __restrict own, const std::int32_t* __restrict other,
                  const std::int32_t* __restrict weights, std::int32_t count, std::int32_t margin,
                  std::int32_t* __restrict blended) {
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t a = own[i];
        const std::int32_t b = other[i];
        bool settled = ((a | b) >= 0) & ((a | b) < (1 << 24));
        std::int32_t color = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const std::int32_t x = a >> shift & 255;
            const std::int32_t y = b >> shift & 255;
            const std::int32_t difference = x - y;
            const std::int32_t value = (y << kWeightBits) + difference * weights[i];
            const std::int32_t spread = (difference < 0 ? -difference : difference) * margin;
            const std::int32_t low = (value - spread) >> kWeightBits;
            settled &= low == (value + spread) >> kWeightBits;
            color |= (low & 255) << shift;
        }
        blended[i] = settled ? color : -1;
    }
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
    kept_ = result.Kept().HasPixels() && result.Kept().Width() == result.biWidth() &&
            KeepsPixels(source);
    columnScratch_ = MakeScratch(1);
}

TResampler::Scratch TResampler::MakeScratch(std::int32_t blockColumns) const {
    Scratch scratch;
    scratch.sx.resize(static_cast<std::size_t>(std::clamp(blockColumns, 1, kStripColumns)));
    scratch.sy.resize(scratch.sx.size());
    for (auto* ints :
         {&scratch.cells, &scratch.neighbours, &scratch.weights, &scratch.own, &scratch.other})
        ints->resize(scratch.sx.size());
    return scratch;
}

void TResampler::ConvertColumn(std::int32_t column) {
    ConvertBlock({column, column + 1, 0, Rows()}, columnScratch_);
}

void TResampler::ConvertBlock(const PixelBlock& block, Scratch& scratch) {
    const std::int32_t first = std::max(block.firstColumn, 0);
    const std::int32_t last = std::min(block.lastColumn, Columns());
    const std::int32_t top = std::min(block.lastRow, Rows());
    // Strips of a few cache lines of result cells: the rows of a strip map to neighbouring
    // lines of the source, so the source cells one row reads are still in the first-level
    // cache for the next.
    const auto stripColumns = static_cast<std::int32_t>(
        std::min<std::size_t>(std::min<std::size_t>(scratch.sx.size(), kStripColumns), INT32_MAX));
    if (first >= last || stripColumns < 1)
        return;
    for (std::int32_t strip = first; strip < last; strip += stripColumns) {
        const std::int32_t end = std::min(last, strip + stripColumns);
        for (std::int32_t row = std::max(block.firstRow, 0); row < top; ++row) {
            if (!direct_) {
                for (std::int32_t column = strip; column < end; ++column)
                    ExactPixel(column, row);
                scratch.exactPixels += end - strip;
            } else if (mode_ == Mode::Smooth) {
                SmoothRow(row, strip, end, scratch);
            } else {
                PlainRow(row, strip, end, scratch);
            }
            if (kept_)
                KeptRow(row, strip, end, direct_ && mode_ != Mode::Smooth ? &scratch : nullptr);
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

void TResampler::KeptRow(std::int32_t row, std::int32_t first, std::int32_t last,
                         const Scratch* plain) {
    const bool smoothing = mode_ == Mode::Smooth;
    const std::uint32_t channelMax = result_.Kept().ChannelMax();
    KeptPixel* out = result_.Kept().Pixels() + std::int64_t{row} * result_.biWidth();
    // The cells PlainRow settled are the exact way's cells; the plane lies as they do.
    const KeptLayer& kept = source_.Kept();
    const KeptPixel* pixels =
        plain != nullptr && kept.HasPixels() && kept.Width() == source_.biWidth() ? kept.Pixels()
                                                                                  : nullptr;
    for (std::int32_t column = first; column < last; ++column) {
        const std::int32_t settled = pixels != nullptr ? plain->cells[column - first] : -1;
        out[column] = settled >= 0
                          ? pixels[settled]
                          : KeptSample(source_, mapper_.Map(column, row), smoothing, channelMax);
    }
}

std::int32_t TResampler::ColorOf(std::int32_t cell) const {
    return source_.PaletteCount() == 0 ? cell : source_.GetPaletteColor(cell);
}

void TResampler::PlainRow(std::int32_t row, std::int32_t first, std::int32_t last,
                          Scratch& scratch) {
    const std::int32_t count = last - first;
    fast_.MapRow(row, first, last, scratch.sx.data(), scratch.sy.data());
    std::int32_t* settled = scratch.cells.data();
    SettleCells(scratch.sx.data(), scratch.sy.data(), count, fast_.Bound(), source_.biWidth(),
                source_.biHeight(), settled);
    const std::int32_t* cells = source_.CellRow(0);
    std::int32_t* out = result_.CellRow(row) + first;
    // One loop per kind of copy, so that none asks per pixel.
    const auto copy = [&](auto cellValue) {
        for (std::int32_t i = 0; i < count; ++i) {
            if (settled[i] >= 0) {
                cellValue(out[i], cells[settled[i]]);
            } else {
                ExactPixel(first + i, row);
                ++scratch.exactPixels;
            }
        }
    };
    if (mode_ == Mode::Index) {
        const std::int32_t colors = result_.PaletteCount();
        // As SetPixelIndex: an index the palette does not hold is not written.
        copy([colors](std::int32_t& to, std::int32_t cell) {
            if (cell >= 0 && cell < colors)
                to = cell;
        });
    } else if (source_.PaletteCount() != 0) {
        copy([this](std::int32_t& to, std::int32_t cell) { to = ColorOf(cell); });
    } else {
        copy([](std::int32_t& to, std::int32_t cell) { to = cell; });
    }
}

void TResampler::SmoothRow(std::int32_t row, std::int32_t first, std::int32_t last,
                           Scratch& scratch) {
    const std::int32_t count = last - first;
    fast_.MapRow(row, first, last, scratch.sx.data(), scratch.sy.data());
    const std::int32_t* settled = scratch.cells.data();
    const std::int32_t* neighbours = scratch.neighbours.data();
    SettleEdges(scratch.sx.data(), scratch.sy.data(), count, fast_.Bound(), source_.biWidth(),
                source_.biHeight(), scratch.cells.data(), scratch.neighbours.data(),
                scratch.weights.data());
    std::int32_t* own = scratch.own.data();
    std::int32_t* other = scratch.other.data();
    const std::int32_t* cells = source_.CellRow(0);
    // An unsettled position may lie outside the picture; its pair, -1 and -1, blends to
    // -1, which no settled blend gives.
    const auto gather = [&](auto colorOf) {
        for (std::int32_t i = 0; i < count; ++i) {
            own[i] = settled[i] >= 0 ? colorOf(cells[settled[i]]) : -1;
            other[i] = settled[i] >= 0 ? colorOf(cells[neighbours[i]]) : -1;
        }
    };
    if (source_.PaletteCount() != 0)
        gather([this](std::int32_t cell) { return ColorOf(cell); });
    else
        gather([](std::int32_t cell) { return cell; });
    // The weight errs by twice the position's bound and a rounding, and by less than one
    // unit from its rounding down; a margin of 2^kWeightBits units settles nothing.
    const double weightBound = 2 * (fast_.Bound() + 0x1p-50) + 0x1p-50;
    const auto margin = static_cast<std::int32_t>(
        std::min(std::floor(weightBound * (1 << kWeightBits)) + 2, double(1 << kWeightBits)));
    std::int32_t* out = result_.CellRow(row) + first;
    BlendSettled(own, other, scratch.weights.data(), count, margin, out);
    for (std::int32_t i = 0; i < count; ++i) {
        if (out[i] < 0) {
            ExactPixel(first + i, row);
            ++scratch.exactPixels;
        }
    }
}

} // namespace slanter
