#include "conversion/Resampler.h"

#include <algorithm>
#include <cmath>

#include "bitmap/HandyBitmap.h"
#include "conversion/EdgeBlend.h"
#include "conversion/KeptBlend.h"
#include "conversion/SettledSmoothing.h"
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
                KeptRow(row, strip, end, direct_ ? &scratch : nullptr);
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
                         const Scratch* settled) {
    const bool smoothing = mode_ == Mode::Smooth;
    const std::uint32_t channelMax = result_.Kept().ChannelMax();
    KeptPixel* out = result_.Kept().Pixels() + std::int64_t{row} * result_.biWidth();
    // The cells the row settled are the exact way's cells, and with smoothing their
    // neighbours too; the plane lies as the cells do.
    const KeptLayer& kept = source_.Kept();
    const KeptPixel* pixels =
        settled != nullptr && kept.HasPixels() && kept.Width() == source_.biWidth() ? kept.Pixels()
                                                                                    : nullptr;
    const std::int64_t keptMargin = KeptWeightMargin(fast_.Bound());
    for (std::int32_t column = first; column < last; ++column) {
        const std::int32_t i = column - first;
        const std::int32_t cell = pixels != nullptr ? settled->cells[i] : -1;
        if (cell >= 0 && !smoothing) {
            out[column] = pixels[cell];
            continue;
        }
        if (cell >= 0) {
            // Equal pixels (the centre zone, a clamped neighbour, a flat colour) blend to
            // themselves.
            const KeptPixel own = pixels[cell];
            const KeptPixel other = pixels[settled->neighbours[i]];
            if (own == other) {
                out[column] = own;
                continue;
            }
            if (BlendKeptSettled(own, other, SettledWeight(settled->sx[i], settled->sy[i]),
                                 keptMargin, out[column]))
                continue;
        }
        out[column] = KeptSample(source_, mapper_.Map(column, row), smoothing, channelMax);
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
    // An unsettled position may lie outside the picture: it reads cell 0 and ORs in its
    // sign, all ones, so that its pair, -1 and -1, blends to -1, which no settled blend
    // gives. Branch-free, as the reads are the loop's only wait.
    const auto gather = [&](auto colorOf) {
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int32_t unsettled = settled[i] >> 31;
            own[i] = colorOf(cells[settled[i] & ~unsettled]) | unsettled;
            other[i] = colorOf(cells[neighbours[i] & ~unsettled]) | unsettled;
        }
    };
    if (source_.PaletteCount() != 0)
        gather([this](std::int32_t cell) { return ColorOf(cell); });
    else
        gather([](std::int32_t cell) { return cell; });
    std::int32_t* out = result_.CellRow(row) + first;
    BlendSettled(own, other, scratch.weights.data(), count, WeightMargin(fast_.Bound()), out);
    // Most rows have no unsettled pixel; a vector pass finds out before the pixel loop.
    std::int32_t marks = 0;
    for (std::int32_t i = 0; i < count; ++i)
        marks |= out[i];
    if (marks >= 0)
        return;
    for (std::int32_t i = 0; i < count; ++i) {
        if (out[i] < 0) {
            ExactPixel(first + i, row);
            ++scratch.exactPixels;
        }
    }
}

} // namespace slanter
