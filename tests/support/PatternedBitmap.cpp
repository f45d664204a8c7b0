#include "support/PatternedBitmap.h"

#include <cstdint>

namespace slanter::testing {

THandyBitmap PatternedBitmap(int bitCount, int width, int height) {
    THandyBitmap b;
    b.NewImage(width, height, bitCount);
    if (bitCount <= 8) {
        b.SetPaletteCount(b.MaxColors());
        for (int k = 0; k < b.PaletteCount(); ++k)
            b.SetPaletteColor(k, static_cast<std::int32_t>((k * 0x9E3779B1u) & 0xFFFFFF));
    }
    std::uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            const auto value = static_cast<std::int32_t>(seed >> 8 & 0xFFFFFF);
            if (bitCount <= 8)
                b.SetPixelIndex(x, y, value % b.MaxColors());
            else
                b.SetPixelColor(x, y, bitCount == 16 ? value & 0xF8F8F8 : value);
        }
    }
    return b;
}

} // namespace slanter::testing
