#include "conversion/TileFill.h"

#include <algorithm>

#include "bitmap/HandyBitmap.h"

namespace slanter {

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
        for (std::int32_t row = 0; row < height; ++row) {
            const std::int32_t fromTop = height - 1 - row;
            const KeptPixel* from =
                kept.Pixels() + std::int64_t{tileHeight - 1 - fromTop % tileHeight} * tileWidth;
            KeptPixel* to = keeps.Pixels() + std::int64_t{row} * width;
            for (std::int32_t x = 0; x < width; x += tileWidth)
                std::copy_n(from, std::min(tileWidth, width - x), to + x);
        }
    }
    // Rows are stored bottom up: the picture's top row is the tile's top row.
    for (std::int32_t row = 0; row < height; ++row) {
        const std::int32_t fromTop = height - 1 - row;
        const std::int32_t* from = tile.CellRow(tileHeight - 1 - fromTop % tileHeight);
        std::int32_t* to = picture.CellRow(row);
        if (from == nullptr || to == nullptr) {
            picture = THandyBitmap();
            return false;
        }
        for (std::int32_t x = 0; x < width; x += tileWidth)
            std::copy_n(from, std::min(tileWidth, width - x), to + x);
    }
    return true;
}

} // namespace slanter
