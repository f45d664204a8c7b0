#include "bitmap/AreaResize.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <vector>

#include "bitmap/AreaWeights.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/KeptResize.h"

namespace slanter {

namespace {

// The colour of every cell of row y, palette indices looked up (an index the palette lacks
// counts as black).
void ColoursOfRow(const THandyBitmap& source, std::int32_t y, std::vector<std::int32_t>& row) {
    const std::int32_t* cells = source.CellRow(y);
    const std::int32_t width = source.biWidth();
    if (source.PaletteCount() == 0) {
        std::copy(cells, cells + width, row.begin());
        return;
    }
    for (std::int32_t x = 0; x < width; ++x)
        row[static_cast<std::size_t>(x)] = std::max(source.GetPaletteColor(cells[x]), 0);
}

// Row y of the old picture across: three sums a new column, each at most 255 x oldWidth.
void SumAcross(const std::vector<std::int32_t>& colours, const AxisWeights& across,
               std::vector<std::uint64_t>& sums) {
    std::size_t at = 0;
    for (const Footprint& footprint : across.pixels) {
        std::uint64_t red = 0, green = 0, blue = 0;
        const std::int64_t* weight = &across.weights[footprint.weights];
        const std::int32_t* colour = &colours[static_cast<std::size_t>(footprint.first)];
        for (std::int32_t k = 0; k < footprint.count; ++k) {
            const auto c = static_cast<std::uint32_t>(colour[k]);
            const auto w = static_cast<std::uint64_t>(weight[k]);
            red += (c & 0xFF) * w;
            green += (c >> 8 & 0xFF) * w;
            blue += (c >> 16 & 0xFF) * w;
        }
        sums[at++] = red;
        sums[at++] = green;
        sums[at++] = blue;
    }
}

} // namespace

bool AreaResize(const THandyBitmap& source, std::int32_t width, std::int32_t height,
                THandyBitmap& result) {
    const std::int32_t oldWidth = source.biWidth();
    const std::int32_t oldHeight = source.biHeight();
    if (width < 1 || height < 1 || oldWidth < 1 || oldHeight < 1 ||
        source.CellRow(oldHeight - 1) == nullptr || &source == &result) {
        result = THandyBitmap();
        return false;
    }
    try {
        const AxisWeights across = Weigh(oldWidth, width);
        const AxisWeights down = Weigh(oldHeight, height);
        // A result of the same size keeps its block: resizing again takes no fresh pages.
        result.NewImage(width, height, 24);
        result.SetPaletteCount(0);
        if (result.biWidth() != width || result.biHeight() != height) {
            result = THandyBitmap();
            return false;
        }
        std::vector<std::int32_t> colours(static_cast<std::size_t>(oldWidth));
        // Sums of one old row across, kept for the next new row, which often starts on it.
        std::vector<std::uint64_t> cached(3 * static_cast<std::size_t>(width));
        std::vector<std::uint64_t> fresh(cached.size());
        std::vector<std::uint64_t> total(cached.size());
        std::int32_t cachedRow = -1;
        // Each total is at most 255 x oldWidth x oldHeight, and the old cells number
        // fewer than 2^31: far within 64 bits.
        const auto area =
            static_cast<std::uint64_t>(oldWidth) * static_cast<std::uint64_t>(oldHeight);
        for (std::int32_t y = 0; y < height; ++y) {
            const Footprint& footprint = down.pixels[static_cast<std::size_t>(y)];
            std::fill(total.begin(), total.end(), 0);
            for (std::int32_t k = 0; k < footprint.count; ++k) {
                const std::int32_t row = footprint.first + k;
                const std::vector<std::uint64_t>* sums = &cached;
                if (row != cachedRow) {
                    ColoursOfRow(source, row, colours);
                    SumAcross(colours, across, fresh);
                    sums = &fresh;
                }
                const auto w = static_cast<std::uint64_t>(down.weights[footprint.weights + k]);
                for (std::size_t c = 0; c < total.size(); ++c)
                    total[c] += (*sums)[c] * w;
                if (k == footprint.count - 1 && row != cachedRow) {
                    std::swap(cached, fresh);
                    cachedRow = row;
                }
            }
            std::int32_t* cells = result.CellRow(y);
            for (std::int32_t x = 0; x < width; ++x) {
                const std::uint64_t* sum = &total[3 * static_cast<std::size_t>(x)];
                // Rounded to nearest: (2 sum + area) / (2 area).
                const auto channel = [&](int c) {
                    return static_cast<std::int32_t>((2 * sum[c] + area) / (2 * area));
                };
                cells[x] = channel(0) | channel(1) << 8 | channel(2) << 16;
            }
        }
        // Averaged in the picture's own encoding, the pixels keep their profile.
        result.Kept().CopyProfileFrom(source.Kept());
        if (!AreaResizeKept(source, across, down, result)) {
            result = THandyBitmap();
            return false;
        }
        return true;
    } catch (const std::bad_alloc&) {
        result = THandyBitmap();
        return false;
    }
}

} // namespace slanter
