#pragma once

#include "engine/Point.h"

namespace slanter {

class THandyBitmap;

// The depth of the result: 24 bits when smoothing or for a 24-bit source, otherwise the
// source's.
int ResultDepth(const THandyBitmap& source, bool smoothing);

// Whether a result of this size and depth can be written as a file at all: its stored
// pixel data must stay within what the bitmap store writes. Known before any work is done.
bool ResultFitsInFile(TPoint size, int depth);

// Gives the result picture its size, depth and palette: 24 bits when smoothing or for a
// 24-bit source, otherwise the source's depth with its palette copied entry by entry.
// Answers false when memory ran out for the cells or the palette.
bool ShapeResult(THandyBitmap& result, const THandyBitmap& source, TPoint size, bool smoothing);

} // namespace slanter
