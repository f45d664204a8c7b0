#include "bitmap/IndexedColors.h"

#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "bitmap/HandyBitmap.h"

namespace slanter {

namespace {

constexpr std::size_t kMostPaletteColors = 256;

} // namespace

bool MakeIndexed(THandyBitmap& picture) {
    const std::int32_t width = picture.biWidth();
    const std::int32_t height = picture.biHeight();
    std::unordered_map<std::int32_t, std::int32_t> indices;
    std::vector<std::int32_t> palette;
    // A colour picture's cells are its colours: read a row at a time.
    for (std::int32_t y = 0; y < height; ++y) {
        const std::int32_t* row = picture.CellRow(y);
        for (std::int32_t x = 0; row != nullptr && x < width; ++x) {
            const std::int32_t color = row[x];
            if (indices.count(color) != 0)
                continue;
            if (palette.size() == kMostPaletteColors)
                return false;
            indices.emplace(color, static_cast<std::int32_t>(palette.size()));
            palette.push_back(color);
        }
    }
    THandyBitmap indexed;
    indexed.NewImage(width, height, 8);
    indexed.SetPaletteCount(static_cast<std::int32_t>(palette.size()));
    if (indexed.biWidth() != width || indexed.PaletteCount() != std::int32_t(palette.size()))
        return false;
    for (std::size_t k = 0; k < palette.size(); ++k)
        indexed.SetPaletteColor(static_cast<std::int32_t>(k), palette[k]);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::int32_t* row = picture.CellRow(y);
        std::int32_t* cells = indexed.CellRow(y);
        for (std::int32_t x = 0; row != nullptr && cells != nullptr && x < width; ++x)
            cells[x] = indices.at(row[x]);
    }
    indexed.Kept() = std::move(picture.Kept());
    picture = std::move(indexed);
    return true;
}

} // namespace slanter
