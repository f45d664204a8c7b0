#pragma once

#include <cstdint>

#include "bitmap/KeptLayer.h"

namespace slanter {

class THandyBitmap;

// How the windows show a picture's transparent parts: over a checkerboard of white and
// light grey squares, as picture programs do, so that they read as clear rather than as
// the white a BMP result lays them over. The squares are the picture's own pixels, so a
// zoomed view zooms them with the picture.
inline constexpr std::int32_t kCheckerSquare = 8;

// The checkerboard's colour at pixel (x, y) of the picture as shown, row 0 at the top.
std::int32_t CheckerboardColor(std::int32_t x, std::int32_t y);

// A kept pixel (channels up to channelMax) laid over the checkerboard at (x, y), as an
// 8-bit colour value.
std::int32_t OverCheckerboard(KeptPixel pixel, std::uint32_t channelMax, std::int32_t x,
                              std::int32_t y);

// The picture a window paints: the picture itself when nothing of it is transparent;
// otherwise `shown`, made of its kept colours laid over the checkerboard.
const THandyBitmap& PictureToShow(const THandyBitmap& picture, THandyBitmap& shown);

} // namespace slanter
