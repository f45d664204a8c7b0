#include "conversion/ResultZoom.h"

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

void SampleZoomedView(const std::uint32_t* picture, std::int32_t stride, TPoint size, int view,
                      TPoint shown, TPoint topLeft, TPoint extent, std::uint32_t* out) {
    if (size.X <= 0 || size.Y <= 0 || extent.X <= 0 || extent.Y <= 0)
        return;
    const TPoint grid = ViewClientSize(view, size);
    const std::vector<std::int32_t> columns =
        SampledRun(topLeft.X, extent.X, shown.X, grid.X, size.X);
    const std::vector<std::int32_t> rows = SampledRun(topLeft.Y, extent.Y, shown.Y, grid.Y, size.Y);
    for (std::int32_t y = 0; y < extent.Y; ++y) {
        const std::uint32_t* line = picture + std::int64_t{rows[y]} * stride;
        std::uint32_t* target = out + std::int64_t{y} * extent.X;
        for (std::int32_t x = 0; x < extent.X; ++x)
            target[x] = line[columns[x]];
    }
}

} // namespace slanter
