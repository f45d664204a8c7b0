#pragma once

#include <cstdint>
#include <vector>

#include "engine/Point.h"
#include "engine/TileMapper.h"

namespace slanter {

class TSlanter;
class THandyBitmap;

// The smoothed colour at source position p: the pixel holding it, blended with the
// neighbour across its nearest edge unless p lies in the pixel's centre zone. The
// neighbour is clamped to the picture, never wrapped.
std::int32_t SmoothedColor(const THandyBitmap& source, SourcePosition p);

// Fills the result picture column by column from the source through the pattern that is
// selected in the engine when the resampler is made: with smoothing the edge blend,
// otherwise the source cell under each mapped centre, by palette index when the result
// has a palette and by colour otherwise. The mode is chosen once per column.
class TResampler {
  public:
    TResampler(const TSlanter& engine, const THandyBitmap& source, THandyBitmap& result,
               bool smoothing);

    // Rows 0 up of column `column` of the result.
    void ConvertColumn(std::int32_t column);

  private:
    const THandyBitmap& source_;
    THandyBitmap& result_;
    bool smoothing_;
    TileMapper mapper_;
    std::vector<SourcePosition> positions_; // one column, reused
};

} // namespace slanter
