#pragma once

#include "bitmap/KeptLayer.h"
#include "bitmap/KeptPixels.h"
#include "engine/Point.h"

namespace slanter {

// The smoothed blend of two kept pixels, the own one weighing `weight` (1/2 to 1), in
// extended precision. Pixels of one opacity blend channel by channel as the cells do,
// trunc(own * w + (1 - w) * neighbour) taken exactly, so deep channels agree with the
// 8-bit result and a flat colour stays flat.
// Pixels of unequal opacity blend premultiplied, so that an opaque pixel beside a
// transparent one keeps its colour instead of taking on the transparent one's: the
// opacity is the weighted sum and each colour the weighted sum of colour times opacity,
// divided by it, both to the nearest level (a truncated quotient would darken a flat
// colour under a fading opacity).
KeptPixel BlendKept(KeptPixel own, KeptPixel neighbour, double weight, std::uint32_t channelMax);

class THandyBitmap;

// The kept pixel of the result pixel mapped to p, as the conversion makes it: the pixel
// holding p, or with smoothing its blend with the neighbour ChooseEdge picks.
KeptPixel KeptSample(const THandyBitmap& picture, SourcePosition p, bool smoothing,
                     std::uint32_t channelMax);

} // namespace slanter
