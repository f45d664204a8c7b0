#pragma once

#include <array>
#include <cstdint>

#include "engine/Point.h"

namespace slanter {

// The result window's zoom: the view (the picture alone or tiled) fitted to the window, or
// shown at a fixed percentage. At 100% one result pixel is one device pixel.
inline constexpr int kZoomToFit = 0;
// The View menu's choices, in its order.
inline constexpr std::array<int, 5> kZoomChoices{kZoomToFit, 25, 50, 100, 200};

// The device-pixel size of view `view` (1, 4 or 9) of a result of `size` at `zoom`: the
// view's grid scaled by the percentage, or when fitting the grid shrunk to fit `room`, the
// client area there is to show it in (a view that fits already stays at 100%).
TPoint ZoomedViewSize(int view, TPoint size, int zoom, TPoint room);

// The zoom one step in (`step` 1) or out (-1) from `zoom` among the percentages; from
// fitting, from the percentage `fitted` that the fitted view shows. The same zoom when
// there is no further step.
int NextZoom(int zoom, int step, int fitted);

// Where the tile in grid column `column` and row `row` of view `view` lies in the view of
// `shown` size, in its device pixels: the pixels that show it.
struct ZoomedCell {
    TPoint topLeft;
    TPoint size;
    friend bool operator==(const ZoomedCell&, const ZoomedCell&) = default;
};
ZoomedCell ZoomedTileCell(int view, TPoint size, TPoint shown, int column, int row);

// The zoomed view's pixels in the rectangle of `extent` at `topLeft` (device pixels of the
// view of `shown` size), each the result pixel under its centre, into `out` row by row.
// `picture` holds the result top row first, `stride` cells a row; cells are copied as
// they are. Work and memory follow the rectangle, not the result.
void SampleZoomedView(const std::uint32_t* picture, std::int32_t stride, TPoint size, int view,
                      TPoint shown, TPoint topLeft, TPoint extent, std::uint32_t* out);
// The same for a picture of one byte a cell (palette indices).
void SampleZoomedView(const std::uint8_t* picture, std::int32_t stride, TPoint size, int view,
                      TPoint shown, TPoint topLeft, TPoint extent, std::uint8_t* out);
// The same into rows `outStride` cells apart, such as a toolkit image's padded lines; the
// padding is left as it was.
void SampleZoomedView(const std::uint32_t* picture, std::int32_t stride, TPoint size, int view,
                      TPoint shown, TPoint topLeft, TPoint extent, std::uint32_t* out,
                      std::int32_t outStride);
void SampleZoomedView(const std::uint8_t* picture, std::int32_t stride, TPoint size, int view,
                      TPoint shown, TPoint topLeft, TPoint extent, std::uint8_t* out,
                      std::int32_t outStride);

} // namespace slanter
