#include "support/BlockPicture.h"

#include <cmath>

namespace slanter::testing {

namespace {

// Distinct colours that survive 16 bits (low three bits of each channel zero).
std::int32_t BlockColor(int block) {
    const int r = (block * 37 + 11) % 32;
    const int g = (block * 53 + 5) % 32;
    const int b = (block * 71 + 23) % 32;
    return (r * 8) | (g * 8) << 8 | (b * 8) << 16;
}

} // namespace

BlockPicture::BlockPicture(int width, int height, int bitCount, int blockSide)
    : blockSide_(blockSide) {
    bitmap_.NewImage(width, height, bitCount);
    const bool indexed = bitCount <= 8;
    if (indexed) {
        bitmap_.SetPaletteCount(1 << bitCount);
        for (int i = 0; i < bitmap_.PaletteCount(); ++i)
            bitmap_.SetPaletteColor(i, BlockColor(i));
    }
    const int across = (width + blockSide - 1) / blockSide;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int block = (y / blockSide) * across + x / blockSide;
            if (indexed)
                bitmap_.SetPixelIndex(x, y, block % bitmap_.PaletteCount());
            else
                bitmap_.SetPixelColor(x, y, BlockColor(block));
        }
    }
}

std::int32_t BlockPicture::ColorAt(double sx, double sy) const {
    return bitmap_.GetPixelColor(static_cast<int>(sx), static_cast<int>(sy));
}

bool BlockPicture::IsInsideBlock(double sx, double sy, double margin) const {
    const auto inside = [&](double v, int size) {
        const double inBlock = v - std::floor(v / blockSide_) * blockSide_;
        // The picture's own edges count as block borders too: smoothing clamps there.
        return inBlock >= margin && inBlock <= blockSide_ - margin && v >= margin &&
               v <= size - margin;
    };
    return inside(sx, bitmap_.biWidth()) && inside(sy, bitmap_.biHeight());
}

} // namespace slanter::testing
