#pragma once

#include "bitmap/PackedDib.h"

namespace slanter {

class THandyBitmap;

// The picture's kept colours and opacity as a packed 32-bit bitmap with a version 5
// header (124 bytes, bit fields, sRGB), rows bottom up as the cells are: the clipboard's
// form of a picture with clear parts. Empty for a picture without pixels.
PackedDib DibV5Of(const THandyBitmap& picture);

} // namespace slanter
