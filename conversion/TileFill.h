#pragma once

#include <cstdint>

namespace slanter {

class THandyBitmap;

// A picture of `width` x `height` laid with copies of `tile` from its top-left corner, in
// the tile's depth and palette: a wallpaper of a chosen size, which repeats without seams
// as the tile does. False, with `picture` left empty, when a side is below 1 or there is no
// memory for it.
bool FillWithTile(const THandyBitmap& tile, std::int32_t width, std::int32_t height,
                  THandyBitmap& picture);

} // namespace slanter
