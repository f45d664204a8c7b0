#include "conversion/TileFill.h"

#include <algorithm>

#include "bitmap/HandyBitmap.h"

namespace slanter {

namespace {

// Lays a plane of tileWidth x tileHeight values (rows bottom up, as the store keeps them)
// over one of width x height from its top-left corner: the picture's top row is the
// tile's top row.
template <typename Value>
void LayRows(const Value* tile, std::int32_t tileWidth, std::int32_t tileHeight, Value* picture,
             std::int32_t width, std::int32_t height) {
    for (std::int32_t row = 0; row < height; ++row) {
        const std::int32_t fromTop = height - 1 - row;
        const Value* from = tile + std::int64_t{tileHeight - 1 - fromTop % tileHeight} * tileWidth;
        Value* to = picture + std::int64_t{row} * width;
        for (std::int32_t x = 0; x < width; x += tileWidth)
            std::copy_n(from, std::min(tileWidth, width - x), to + x);
    }
}

} // namespace

bool FillWithTile(const THandyBitmap& tile, std::int32_t width, std::int32_t height,
                  THandyBitmap& picture) {
    picture = THandyBitmap();
    const std::int32_t tileWidth = tile.biWidth();
    const std::int32_t tileHeight = tile.biHeight();
    if (width < 1 || height < 1 || tileWidth < 1 || tileHeight < 1)
        return false;
    picture.NewImage(width, height, tile.biBitCount());
    if (picture.biWidth() != width || picture.biHeight() != height) {
        picture = THandyBitmap();
        return false;
    }
    picture.SetPaletteCount(tile.PaletteCount());
    for (std::int32_t index = 0; index < tile.PaletteCount(); ++index)
        picture.SetPaletteColor(index, tile.GetPaletteColor(index));
    // What a PNG result keeps beyond the cells goes with them, laid the same way.
    const KeptLayer& kept = tile.Kept();
    KeptLayer& keeps = picture.Kept();
    keeps.palette = kept.palette;
    keeps.CopyProfileFrom(kept);
    if (kept.HasPixels()) {
        if (!keeps.ResetPixels(width, height, kept.ChannelBits(), kept.HasAlpha())) {
            picture = THandyBitmap();
            return false;
        }
        LayRows(kept.Pixels(), tileWidth, tileHeight, keeps.Pixels(), width, height);
    }
    // Each record holds its rows whole, one after another.
    if (tile.CellRow(tileHeight - 1) == nullptr || picture.CellRow(height - 1) == nullptr) {
        picture = THandyBitmap();
        return false;
    }
    LayRows(tile.CellRow(0), tileWidth, tileHeight, picture.CellRow(0), width, height);
    return true;
}

} // namespace slanter
