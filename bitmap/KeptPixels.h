#pragma once

#include <cstdint>

#include "bitmap/KeptLayer.h"

namespace slanter {

class THandyBitmap;

// Whether the picture keeps pixels a result is to carry: a plane, or a palette's opacities.
bool KeepsPixels(const THandyBitmap& picture);

// Whether it has clear or translucent parts: a plane with opacity, or a palette's.
bool KeepsTransparency(const THandyBitmap& picture);

// The picture's kept pixel at (x, y): its plane's, or its palette entry's; 0 outside.
KeptPixel KeptPixelAt(const THandyBitmap& picture, std::int32_t x, std::int32_t y);

// The kept pixel at (x, y) in 8-bit straight RGBA (red bits 0-7, opacity 24-31).
std::uint32_t StraightRgbaAt(const THandyBitmap& picture, std::int32_t x, std::int32_t y);

} // namespace slanter
