#include "conversion/ResultZoom.h"

#include <algorithm>
#include <vector>

#include "conversion/ResultViews.h"
#include "conversion/ScaledView.h"

namespace slanter {

TPoint ZoomedViewSize(int view, TPoint size, int zoom, TPoint room) {
    const TPoint grid = ViewClientSize(view, size);
    if (zoom != kZoomToFit)
        return ScaledSize(grid, zoom);
    if (grid.X <= room.X && grid.Y <= room.Y)
        return grid;
    return FitInside(grid, room);
}

int NextZoom(int zoom, int step, int fitted) {
    const int current = zoom == kZoomToFit ? fitted : zoom;
    int next = zoom;
    for (const int choice : kZoomChoices) {
        if (choice == kZoomToFit)
            continue;
        if (step > 0 && choice > current && (next == zoom || choice < next))
            next = choice;
        if (step < 0 && choice < current && (next == zoom || choice > next))
            next = choice;
    }
    return next;
}

ZoomedCell ZoomedTileCell(int view, TPoint size, TPoint shown, int column, int row) {
    const TPoint grid = ViewClientSize(view, size);
    const std::int32_t left = ScreenEdge(column * size.X, shown.X, grid.X);
    const std::int32_t top = ScreenEdge(row * size.Y, shown.Y, grid.Y);
    const std::int32_t right =
        std::min(ScreenEdge((column + 1) * size.X, shown.X, grid.X), shown.X);
    const std::int32_t bottom = std::min(ScreenEdge((row + 1) * size.Y, shown.Y, grid.Y), shown.Y);
    return {{left, top}, {std::max(right - left, 0), std::max(bottom - top, 0)}};
}

namespace {

template <typename Cell>
void Sample(const Cell* picture, std::int32_t stride, TPoint size, int view, TPoint shown,
            TPoint topLeft, TPoint extent, Cell* out, std::int32_t outStride) {
    if (size.X <= 0 || size.Y <= 0 || extent.X <= 0 || extent.Y <= 0)
        return;
    const TPoint grid = ViewClientSize(view, size);
    const std::vector<std::int32_t> columns =
        SampledRun(topLeft.X, extent.X, shown.X, grid.X, size.X);
    const std::vector<std::int32_t> rows = SampledRun(topLeft.Y, extent.Y, shown.Y, grid.Y, size.Y);
    for (std::int32_t y = 0; y < extent.Y; ++y) {
        const Cell* line = picture + std::int64_t{rows[y]} * stride;
        Cell* target = out + std::int64_t{y} * outStride;
        for (std::int32_t x = 0; x < extent.X; ++x)
            target[x] = line[columns[x]];
    }
}

} // namespace

void SampleZoomedView(const std::uint32_t* picture, std::int32_t stride, TPoint size, int view,
                      TPoint shown, TPoint topLeft, TPoint extent, std::uint32_t* out) {
    Sample(picture, stride, size, view, shown, topLeft, extent, out, extent.X);
}

void SampleZoomedView(const std::uint8_t* picture, std::int32_t stride, TPoint size, int view,
                      TPoint shown, TPoint topLeft, TPoint extent, std::uint8_t* out) {
    Sample(picture, stride, size, view, shown, topLeft, extent, out, extent.X);
}

void SampleZoomedView(const std::uint32_t* picture, std::int32_t stride, TPoint size, int view,
                      TPoint shown, TPoint topLeft, TPoint extent, std::uint32_t* out,
                      std::int32_t outStride) {
    Sample(picture, stride, size, view, shown, topLeft, extent, out, outStride);
}

void SampleZoomedView(const std::uint8_t* picture, std::int32_t stride, TPoint size, int view,
                      TPoint shown, TPoint topLeft, TPoint extent, std::uint8_t* out,
                      std::int32_t outStride) {
    Sample(picture, stride, size, view, shown, topLeft, extent, out, outStride);
}

} // namespace slanter
