#include "bitmap/DisplayRows.h"

#include <algorithm>

#include "bitmap/HandyBitmap.h"

namespace slanter {

void DisplayColours(const THandyBitmap& bitmap, std::int32_t fromTop, std::uint32_t* colours) {
    const std::int32_t y = bitmap.biHeight() - 1 - fromTop;
    for (std::int32_t x = 0; x < bitmap.biWidth(); ++x)
        colours[x] = 0xFF000000u | static_cast<std::uint32_t>(
                                       THandyBitmap::SwapRedBlue(bitmap.GetPixelColor(x, y)));
}

void DisplayIndices(const THandyBitmap& bitmap, std::int32_t fromTop, std::uint8_t* indices) {
    const std::int32_t y = bitmap.biHeight() - 1 - fromTop;
    for (std::int32_t x = 0; x < bitmap.biWidth(); ++x)
        indices[x] = static_cast<std::uint8_t>(std::clamp(bitmap.GetPixelIndex(x, y), 0, 255));
}

} // namespace slanter
