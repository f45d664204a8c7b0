#include "bitmap/DisplayRows.h"

#include <algorithm>

#include "bitmap/HandyBitmap.h"

namespace slanter {

void DisplayColours(const THandyBitmap& bitmap, std::int32_t fromTop, std::uint32_t* colours) {
    // A row's cells at once: this runs for every pixel a window shows.
    const std::int32_t* cells = bitmap.CellRow(bitmap.biHeight() - 1 - fromTop);
    if (cells == nullptr)
        return;
    const bool indexed = bitmap.PaletteCount() > 0;
    for (std::int32_t x = 0; x < bitmap.biWidth(); ++x) {
        const std::int32_t colour = indexed ? bitmap.GetPaletteColor(cells[x]) : cells[x];
        colours[x] = 0xFF000000u | static_cast<std::uint32_t>(THandyBitmap::SwapRedBlue(colour));
    }
}

void DisplayIndices(const THandyBitmap& bitmap, std::int32_t fromTop, std::uint8_t* indices) {
    const std::int32_t* cells = bitmap.CellRow(bitmap.biHeight() - 1 - fromTop);
    if (cells == nullptr)
        return;
    for (std::int32_t x = 0; x < bitmap.biWidth(); ++x)
        indices[x] = static_cast<std::uint8_t>(std::clamp(cells[x], 0, 255));
}

} // namespace slanter
