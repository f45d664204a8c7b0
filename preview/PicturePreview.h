#pragma once

#include <cstdint>
#include <vector>

#include "engine/Point.h"

namespace slanter {

class TSlanter;
class THandyBitmap;

// The picture preview: the wallpaper of the selected pattern as the conversion will make
// it, three by three tiles of the result, scaled to fit a view. It is drawn from the source
// picture through the conversion's own mapping and resampling for just the pixels shown,
// so each shown pixel is the result pixel it samples (all of them at scale 1).

// Tiles along each side of the preview.
inline constexpr std::int32_t kPictureTiling = 3;

// The side of the square view the preview is fitted into, for a screen (its available
// area) of `screen` pixels: large enough to judge the wallpaper, small enough to leave
// room for the method window; never smaller than the lattice drawing.
std::int32_t PictureViewSide(TPoint screen);

// The size the tiling of a `tile` result is shown at in a view of `box` pixels: enlarged
// a whole number of times when it fits, so that each result pixel stays a square of
// pixels, otherwise shrunk to fit. (0, 0) for an empty tile or box.
TPoint PicturePreviewSize(TPoint tile, TPoint box);

// The preview's pixels as colour values, top row first; empty when there is nothing to show.
struct PicturePixels {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels;
    // The colour value of pixel (x, y), (0, 0) the top-left; -1 outside.
    std::int64_t At(std::int32_t x, std::int32_t y) const;
};

// Where the middle tile lies in a preview of `shown` size, in its pixels, both ends
// included: the pixels that sample it.
struct TileOutline {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const TileOutline&, const TileOutline&) = default;
};
TileOutline MiddleTileOutline(TPoint tile, TPoint shown);
// Dashes the middle tile's outline over a preview of a `tile` result, in black and white
// so that it shows on dark and light pictures alike.
void AddTileOutline(PicturePixels& picture, TPoint tile);

// The preview of the engine's selected pattern at `shown` size, plain or smoothed as the
// conversion would be; with `outline`, the middle tile's outline over it. Empty without a selected
// pattern, or when `source` is not the picture the engine's table was made for.
PicturePixels RenderPicturePreview(const TSlanter& engine, const THandyBitmap& source,
                                   bool smoothing, TPoint shown, bool outline);

} // namespace slanter
