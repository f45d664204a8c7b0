#pragma once

#include <cstdint>
#include <vector>

#include "bitmap/KeptLayer.h"
#include "engine/CertifiedMapping.h"
#include "engine/Point.h"
#include "engine/TileMapper.h"

namespace slanter {

class TSlanter;
class THandyBitmap;

// The smoothed colour at source position p: the pixel holding it, blended with the
// neighbour across its nearest edge unless p lies in the pixel's centre zone. The
// neighbour is clamped to the picture, never wrapped.
std::int32_t SmoothedColor(const THandyBitmap& source, SourcePosition p);

// A rectangle of result pixels: columns [firstColumn, lastColumn), rows [firstRow, lastRow).
struct PixelBlock {
    std::int32_t firstColumn = 0;
    std::int32_t lastColumn = 0;
    std::int32_t firstRow = 0;
    std::int32_t lastRow = 0;
};

// Fills the result picture from the source through the pattern that is selected in the
// engine when the resampler is made: with smoothing the edge blend, otherwise the source
// cell under each mapped centre, by palette index when the result has a palette and by
// colour otherwise. Where the result keeps a plane of opacity or deep channels beside its
// cells (KeptLayer), that plane is filled from the source's alongside.
//
// Each pixel is first mapped in plain doubles with a proven error bound; where the bound
// settles everything the pixel depends on, that answer is the exact one, and every other
// pixel goes the exact way (MapToSource's own steps). The bytes are those of the exact
// way for every pixel.
class TResampler {
  public:
    TResampler(const TSlanter& engine, const THandyBitmap& source, THandyBitmap& result,
               bool smoothing);

    // What one thread needs for its blocks, made before the work so that none of it is
    // allocated inside the pixel loops.
    struct Scratch {
        std::vector<double> sx;
        std::vector<double> sy;
        std::vector<std::int32_t> cells; // settled source cells, -1 for unsettled
        // With smoothing: the cells blended with them, the weights in fixed point, and
        // the colours of both.
        std::vector<std::int32_t> neighbours;
        std::vector<std::int32_t> weights;
        std::vector<std::int32_t> own;
        std::vector<std::int32_t> other;
        std::int64_t exactPixels = 0; // pixels that went the exact way
    };
    Scratch MakeScratch(std::int32_t blockColumns) const;

    // The pixels of `block`, row by row, so that the result is written along its rows.
    // Blocks that do not overlap may be converted at the same time on different threads,
    // each with a scratch of its own.
    void ConvertBlock(const PixelBlock& block, Scratch& scratch);

    // Rows 0 up of column `column` of the result.
    void ConvertColumn(std::int32_t column);

    // Widens the fast way's error bound to at least `bound`, which sends more pixels the
    // exact way; the bytes must not change.
    void WidenFastBound(double bound) { fast_.WidenBound(bound); }

    std::int32_t Columns() const { return mapper_.Columns(); }
    std::int32_t Rows() const { return mapper_.Rows(); }

  private:
    enum class Mode { Smooth, Index, Color };

    void ExactPixel(std::int32_t column, std::int32_t row);
    void PlainRow(std::int32_t row, std::int32_t first, std::int32_t last, Scratch& scratch);
    void SmoothRow(std::int32_t row, std::int32_t first, std::int32_t last, Scratch& scratch);
    // The colour of a source cell, as GetPixelColor reads it.
    std::int32_t ColorOf(std::int32_t cell) const;
    // The result's kept pixels of one row's columns [first, last): the source's kept pixel,
    // or their blend with smoothing, each mapped the exact way unless `settled` holds the
    // cells PlainRow or SmoothRow settled for the same columns where they settle it.
    void KeptRow(std::int32_t row, std::int32_t first, std::int32_t last, const Scratch* settled);

    const THandyBitmap& source_;
    THandyBitmap& result_;
    Mode mode_;
    TileMapper mapper_;
    CertifiedMapping fast_;
    // Whether the fast way may read and write cells directly: the source is the picture
    // the engine maps into and both pictures hold all their cells.
    bool direct_ = false;
    // Whether the result has a kept plane to fill beside its cells.
    bool kept_ = false;
    Scratch columnScratch_; // for ConvertColumn
};

} // namespace slanter
