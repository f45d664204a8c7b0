#include "preview/PicturePreview.h"

#include <algorithm>

#include "bitmap/Checkerboard.h"
#include "bitmap/HandyBitmap.h"
#include "conversion/KeptBlend.h"
#include "conversion/Resampler.h"
#include "conversion/ScaledView.h"
#include "engine/Slanter.h"
#include "engine/TileMapper.h"
#include "preview/PreviewDrawing.h"

namespace slanter {

namespace {

// The largest view: beyond it a preview costs more than it shows.
constexpr std::int32_t kLargestViewSide = 720;
// Dashes of the outline, in pixels.
constexpr std::int32_t kDash = 4;

// The distinct values of `samples`, and for every sample the position of its value there:
// a tile's pixel shown several times is computed once.
struct DistinctSamples {
    std::vector<std::int32_t> values;
    std::vector<std::int32_t> slotOf;
};

DistinctSamples Distinct(const std::vector<std::int32_t>& samples, std::int32_t period) {
    DistinctSamples distinct;
    std::vector<std::int32_t> slot(static_cast<std::size_t>(period), -1);
    distinct.slotOf.reserve(samples.size());
    for (const std::int32_t value : samples) {
        std::int32_t& known = slot[static_cast<std::size_t>(value)];
        if (known < 0) {
            known = static_cast<std::int32_t>(distinct.values.size());
            distinct.values.push_back(value);
        }
        distinct.slotOf.push_back(known);
    }
    return distinct;
}

// The first and the last screen pixel along an axis that sample [from, to) of the grid.
std::pair<std::int32_t, std::int32_t> ScreenSpan(std::int32_t from, std::int32_t to,
                                                 std::int32_t shown, std::int32_t grid) {
    std::int32_t first = 0;
    while (first < shown - 1 && SampledPixel(first, shown, grid) < from)
        ++first;
    std::int32_t last = shown - 1;
    while (last > 0 && SampledPixel(last, shown, grid) >= to)
        --last;
    return {first, std::max(first, last)};
}

std::uint32_t KeptMax(const THandyBitmap& source) {
    return source.Kept().HasPixels() ? source.Kept().ChannelMax() : 255;
}

} // namespace

void AddTileOutline(PicturePixels& picture, TPoint tile) {
    if (picture.width <= 0 || picture.height <= 0)
        return;
    const TileOutline outline = MiddleTileOutline(tile, {picture.width, picture.height});
    const auto set = [&picture](std::int32_t x, std::int32_t y) {
        const bool black = (x + y) / kDash % 2 == 0;
        picture.pixels[static_cast<std::size_t>(y) * picture.width + x] =
            black ? kPreviewBlack : kPreviewWhite;
    };
    for (std::int32_t x = outline.left; x <= outline.right; ++x) {
        set(x, outline.top);
        set(x, outline.bottom);
    }
    for (std::int32_t y = outline.top; y <= outline.bottom; ++y) {
        set(outline.left, y);
        set(outline.right, y);
    }
}

std::int64_t PicturePixels::At(std::int32_t x, std::int32_t y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return -1;
    return pixels[static_cast<std::size_t>(y) * width + x];
}

std::int32_t PictureViewSide(TPoint screen) {
    const std::int32_t side = std::min(screen.X / 3, screen.Y * 4 / 9);
    return std::clamp(side, kPreviewImageSide, kLargestViewSide);
}

TPoint PicturePreviewSize(TPoint tile, TPoint box) {
    if (tile.X <= 0 || tile.Y <= 0 || box.X <= 0 || box.Y <= 0)
        return {0, 0};
    const TPoint grid{tile.X * kPictureTiling, tile.Y * kPictureTiling};
    if (grid.X <= box.X && grid.Y <= box.Y) {
        const std::int32_t times = std::min(box.X / grid.X, box.Y / grid.Y);
        return {grid.X * times, grid.Y * times};
    }
    return FitInside(grid, box);
}

TileOutline MiddleTileOutline(TPoint tile, TPoint shown) {
    const auto [left, right] = ScreenSpan(tile.X, 2 * tile.X, shown.X, tile.X * kPictureTiling);
    const auto [top, bottom] = ScreenSpan(tile.Y, 2 * tile.Y, shown.Y, tile.Y * kPictureTiling);
    return {left, top, right, bottom};
}

PicturePixels RenderPicturePreview(const TSlanter& engine, const THandyBitmap& source,
                                   bool smoothing, TPoint shown, bool outline) {
    const std::int32_t index = engine.PatternIndex();
    const TPoint tile = engine.PatternSize(index);
    if (index < 0 || index >= engine.PatternCount() || tile.X <= 0 || tile.Y <= 0 || shown.X <= 0 ||
        shown.Y <= 0 || source.biWidth() != engine.SourceWidth() ||
        source.biHeight() != engine.SourceHeight())
        return {};

    // The screen's rows run down, the result's rows up from the bottom.
    const DistinctSamples columns =
        Distinct(SampledRun(0, shown.X, shown.X, tile.X * kPictureTiling, tile.X), tile.X);
    std::vector<std::int32_t> rowsDown =
        SampledRun(0, shown.Y, shown.Y, tile.Y * kPictureTiling, tile.Y);
    for (std::int32_t& row : rowsDown)
        row = tile.Y - 1 - row;
    const DistinctSamples rows = Distinct(rowsDown, tile.Y);

    // Each distinct result pixel once, as ConvertColumn computes it. The source is read
    // row by row, not in the scattered order of the tile: a large picture sampled sparsely
    // would otherwise wait on memory at nearly every pixel.
    const TileMapper mapper(engine, tile.X, tile.Y);
    const std::size_t across = columns.values.size();
    const std::size_t count = across * rows.values.size();
    std::vector<SourcePosition> positions(count);
    std::vector<std::int32_t> firstOfRow(static_cast<std::size_t>(source.biHeight()) + 1, 0);
    for (std::size_t r = 0; r < rows.values.size(); ++r) {
        for (std::size_t c = 0; c < across; ++c) {
            const SourcePosition p = mapper.Map(columns.values[c], rows.values[r]);
            positions[r * across + c] = p;
            ++firstOfRow[static_cast<std::size_t>(p.SY) + 1];
        }
    }
    for (std::size_t y = 1; y < firstOfRow.size(); ++y)
        firstOfRow[y] += firstOfRow[y - 1];
    std::vector<std::uint32_t> bySourceRow(count);
    for (std::size_t k = 0; k < count; ++k)
        bySourceRow[firstOfRow[static_cast<std::size_t>(positions[k].SY)]++] =
            static_cast<std::uint32_t>(k);
    std::vector<std::uint32_t> colours(count);
    for (const std::uint32_t k : bySourceRow) {
        const SourcePosition p = positions[k];
        const std::int32_t colour = smoothing
                                        ? SmoothedColor(source, p)
                                        : source.GetPixelColor(static_cast<std::int32_t>(p.SX),
                                                               static_cast<std::int32_t>(p.SY));
        colours[k] = static_cast<std::uint32_t>(colour);
    }
    // A picture with clear parts: its kept pixels, laid over the checkerboard below.
    const bool checkered = KeepsTransparency(source);
    std::vector<KeptPixel> kept(checkered ? count : 0);
    for (std::size_t k = 0; k < kept.size(); ++k)
        kept[k] = KeptSample(source, positions[k], smoothing, KeptMax(source));

    PicturePixels picture{shown.X, shown.Y,
                          std::vector<std::uint32_t>(static_cast<std::size_t>(shown.X) * shown.Y)};
    for (std::int32_t y = 0; y < shown.Y; ++y) {
        const std::uint32_t* from = colours.data() + rows.slotOf[y] * across;
        std::uint32_t* to = picture.pixels.data() + static_cast<std::size_t>(y) * shown.X;
        for (std::int32_t x = 0; x < shown.X; ++x)
            to[x] = from[columns.slotOf[x]];
        if (!checkered)
            continue;
        const KeptPixel* keptRow = kept.data() + rows.slotOf[y] * across;
        for (std::int32_t x = 0; x < shown.X; ++x)
            to[x] = static_cast<std::uint32_t>(
                OverCheckerboard(keptRow[columns.slotOf[x]], KeptMax(source), x, y));
    }
    if (outline)
        AddTileOutline(picture, tile);
    return picture;
}

} // namespace slanter
