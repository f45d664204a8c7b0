#pragma once

#include <cstdint>

namespace slanter {

class THandyBitmap;

// The picture at a new size, each new pixel the average of the old picture over the area
// it covers: every old pixel weighs by the exact share of it that lies under the new one,
// per channel. Shrinking gives the smooth, alias-free result of averaging; enlarging
// repeats pixels, blending only where a new pixel straddles two old ones.
//
// The sums are whole numbers (old pixels counted in units of 1 / new size along each
// side) and stay within 64 bits, so each channel is the exact mean, rounded to nearest.
//
// The result is always 24 bits without a palette: averaging makes colours a palette of
// the old picture lacks. Answers false, leaving `result` empty, when a size is below 1,
// the source holds no picture (or is `result` itself) or memory runs out.
bool AreaResize(const THandyBitmap& source, std::int32_t width, std::int32_t height,
                THandyBitmap& result);

} // namespace slanter
