#pragma once

#include <vector>

#include "engine/Point.h"

namespace slanter {

// The result window's views: the picture alone (view 1), or tiled two by two (view 4) or
// three by three (view 9), so that the user sees how the tile repeats as wallpaper.

// The client area is never narrower, so the menu bar and the Cancel button keep room.
inline constexpr int kLeastResultClientWidth = 200;

// Tiles along each side of a view: 1, 2 or 3; 1 for any other view number.
int ViewSide(int view);

// A copy of the picture in the grid: paint box `paintBox` (2 to 9) with its top-left
// corner. Image1 always holds the cell at (0, 0).
struct TileCell {
    int paintBox = 0;
    TPoint topLeft;
    friend bool operator==(const TileCell&, const TileCell&) = default;
};

// The paint boxes a view shows for a picture of `size`, in the order of their numbers.
// The boxes are numbered row by row from the top-left cell, which is Image1's.
std::vector<TileCell> ViewTiles(int view, TPoint size);

// The client size the view asks for: the grid's, side x side pictures.
TPoint ViewClientSize(int view, TPoint size);

} // namespace slanter
