#pragma once

#include "engine/Point.h"

namespace slanter {

class THandyBitmap;

// Gives the result picture its size, depth and palette: 24 bits when smoothing or for a
// 24-bit source, otherwise the source's depth with its palette copied entry by entry.
void ShapeResult(THandyBitmap& result, const THandyBitmap& source, TPoint size, bool smoothing);

} // namespace slanter
