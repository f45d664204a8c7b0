#pragma once

#include <cstdint>

#include "bitmap/HandyBitmap.h"

namespace slanter::testing {

// A picture made of flat square blocks, each block a different colour (or palette
// index): away from the block borders every point shows its block's colour exactly.
class BlockPicture {
  public:
    BlockPicture(int width, int height, int bitCount, int blockSide);

    const THandyBitmap& Bitmap() const { return bitmap_; }
    THandyBitmap& Bitmap() { return bitmap_; }
    int BlockSide() const { return blockSide_; }
    // The colour of the block holding (sx, sy), and whether the point lies at least
    // `margin` pixels inside that block.
    std::int32_t ColorAt(double sx, double sy) const;
    bool IsInsideBlock(double sx, double sy, double margin) const;

  private:
    THandyBitmap bitmap_;
    int blockSide_;
};

} // namespace slanter::testing
