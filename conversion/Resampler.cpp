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

// For each position, what ChooseEdge would choose, where the bound settles it: the
// cell holding it (its offset in the cells) or -1, the neighbour to blend with (the cell
// itself in the centre zone and where the border clamps it) and the own pixel's weight.
// Every border that ChooseEdge draws must lie clear of the position's bound; the weight,
// 2.5 - 2 f or 0.5 + 2 f, then errs by twice the bound and a rounding. All in doubles
// (whole numbers below 2^53 stay exact) and branch-free, so that the loop vectorises.
void SettleEdges(const double* __restrict sx, const double* __restrict sy, std::int32_t count,
                 double bound, std::int32_t width, std::int32_t height, double* __restrict cells,
                 double* __restrict neighbours, double* __restrict weights) {
    const double right = width;
    const double top = height;
    const double inCell = bound + 0x1p-50;
    for (std::int32_t i = 0; i < count; ++i) {
        const double x = sx[i];
        const double y = sy[i];
        const double ix = static_cast<double>(static_cast<std::int32_t>(x - bound));
        const double iy = static_cast<double>(static_cast<std::int32_t>(y - bound));
        const double fx = x - ix;
        const double fy = y - iy;
        // The distance to the nearest border of the zones (a diagonal's, measured along
        // an axis, counts half).
        const double nearest =
            std::min(std::min(std::min(std::fabs(fx - 0.25), std::fabs(fx - 0.75)),
                              std::min(std::fabs(fy - 0.25), std::fabs(fy - 0.75))),
                     0.5 * std::min(std::fabs(fy - fx), std::fabs(fx + fy - 1)));
        double settled = nearest > inCell ? 1.0 : 0.0;
        settled = std::min(x - bound, y - bound) >= 0 ? settled : 0.0;
        settled = x + bound < right ? settled : 0.0;
        settled = y + bound < top ? settled : 0.0;
        settled = ix == static_cast<double>(static_cast<std::int32_t>(x + bound)) ? settled : 0.0;
        settled = iy == static_cast<double>(static_cast<std::int32_t>(y + bound)) ? settled : 0.0;
        const double centre = std::max(std::fabs(fx - 0.5), std::fabs(fy - 0.5)) < 0.25 ? 1.0 : 0.0;
        const double up = fy > fx ? 1.0 : 0.0;
        const double above = fx + fy > 1 ? 1.0 : 0.0;
        const double f = up == above ? fy : fx;
        weights[i] = above != 0 ? 2.5 - 2 * f : 0.5 + 2 * f;
        // Right when above and not up, left when up and not above; likewise up and down.
        const double nx = std::min(std::max(ix + (above - up), 0.0), right - 1);
        const double ny = std::min(std::max(iy + (above + up - 1), 0.0), top - 1);
        const double own = iy * right + ix;
        cells[i] = settled != 0 ? own : -1.0;
        neighbours[i] = settled != 0 && centre == 0 ? ny * right + nx : own;
    }
}

// The blend of each pair of colours, BlendColors(own, other, w) with w known to within
// weightBound, or -1 where that does not settle a channel or a colour lies outside 24
// bits. Equal colours (the centre zone, a clamped neighbour) stay as they are.
void BlendSettled(const std::int32_t* __restrict own, const std::int32_t* __restrict other,
                  const double* __restrict weights, std::int32_t count, double weightBound,
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
            const double value = y + difference * weights[i];
            const double margin =
                (difference < 0 ? -difference : difference) * weightBound + 0x1p-40;
            const auto low = static_cast<std::int32_t>(value - margin);
            settled &= (difference == 0) | (low == static_cast<std::int32_t>(value + margin));
            color |= (difference == 0 ? y : low) << shift;
        }
        blended[i] = a == b ? a : settled ? color : -1;
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
    for (auto* ints : {&scratch.cells, &scratch.own, &scratch.other, &scratch.blended})
        ints->resize(scratch.sx.size());
    for (auto* doubles : {&scratch.found, &scratch.neighbours, &scratch.weights})
        doubles->resize(scratch.sx.size());
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
    double* settled = scratch.found.data();
    double* neighbours = scratch.neighbours.data();
    SettleEdges(scratch.sx.data(), scratch.sy.data(), count, fast_.Bound(), source_.biWidth(),
                source_.biHeight(), settled, neighbours, scratch.weights.data());
    std::int32_t* own = scratch.own.data();
    std::int32_t* other = scratch.other.data();
    const std::int32_t* cells = source_.CellRow(0);
    const auto gather = [&](auto colorOf) {
        for (std::int32_t i = 0; i < count; ++i) {
            // An unsettled position may lie outside the picture.
            const bool inside = settled[i] >= 0;
            own[i] = colorOf(cells[inside ? static_cast<std::int32_t>(settled[i]) : 0]);
            other[i] = colorOf(cells[inside ? static_cast<std::int32_t>(neighbours[i]) : 0]);
        }
    };
    if (source_.PaletteCount() != 0)
        gather([this](std::int32_t cell) { return ColorOf(cell); });
    else
        gather([](std::int32_t cell) { return cell; });
    std::int32_t* blended = scratch.blended.data();
    BlendSettled(own, other, scratch.weights.data(), count, 2 * (fast_.Bound() + 0x1p-50) + 0x1p-50,
                 blended);
    std::int32_t* out = result_.CellRow(row) + first;
    for (std::int32_t i = 0; i < count; ++i) {
        if (settled[i] >= 0 && blended[i] >= 0) {
            out[i] = blended[i];
        } else {
            ExactPixel(first + i, row);
            ++scratch.exactPixels;
        }
    }
}

} // namespace slanter
