#pragma once

#include <cstdint>

namespace slanter {

class THandyBitmap;

// A picture's rows as displays take them, counted from the top (the record stores its
// bottom row first), biWidth() pixels each.

// Row `fromTop` as opaque colours 0xFFRRGGBB (blue low), a palette picture's looked up.
void DisplayColours(const THandyBitmap& bitmap, std::int32_t fromTop, std::uint32_t* colours);
// Row `fromTop` of a palette picture as its indices, each brought into 0 .. 255.
void DisplayIndices(const THandyBitmap& bitmap, std::int32_t fromTop, std::uint8_t* indices);

} // namespace slanter
