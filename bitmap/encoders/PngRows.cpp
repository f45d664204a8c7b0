#include "bitmap/encoders/PngRows.h"

#include <algorithm>
#include <cstdlib>

#include "bitmap/HandyBitmap.h"
#include "bitmap/RowCodec.h"

namespace slanter {

namespace {

// A 5-bit channel of a 16-bit file widened to 8 bits, as the readers of such files do.
std::uint8_t WidenedFiveBits(std::int32_t channel) {
    return static_cast<std::uint8_t>(channel / 8 * 255 / 31);
}

bool IsIndexed(const THandyBitmap& picture) {
    const int depth = picture.biBitCount();
    return depth == 1 || depth == 4 || depth == 8;
}

// PNG row r of the kept plane: 8-bit channels as bytes, 16-bit ones high byte first.
void MakeKeptRow(const THandyBitmap& picture, const PngLayout& layout, std::int32_t r,
                 std::uint8_t* row) {
    const KeptPixel* pixels =
        picture.Kept().Pixels() + std::int64_t{layout.height - 1 - r} * layout.width;
    const int channels = layout.colorType == 6 ? 4 : 3;
    const bool wide = layout.bitDepth == 16;
    for (std::int32_t x = 0; x < layout.width; ++x) {
        for (int c = 0; c < channels; ++c) {
            const std::uint32_t value = KeptChannel(pixels[x], c);
            if (wide) {
                *row++ = static_cast<std::uint8_t>(value >> 8);
                *row++ = static_cast<std::uint8_t>(value);
            } else {
                *row++ = static_cast<std::uint8_t>(value);
            }
        }
    }
}

// The largest index a cell holds, for a palette shorter than the depth allows.
std::int32_t LargestIndex(const THandyBitmap& picture) {
    std::int32_t largest = 0;
    const std::int32_t mask = picture.MaxColors() - 1;
    for (std::int32_t y = 0; y < picture.biHeight(); ++y)
        if (const std::int32_t* cells = picture.CellRow(y))
            for (std::int32_t x = 0; x < picture.biWidth(); ++x)
                largest = std::max(largest, cells[x] & mask);
    return largest;
}

// The straight colours and opacities of an indexed picture's kept palette in place of the
// ones laid over white.
void UseKeptPalette(const THandyBitmap& picture, PngLayout& layout) {
    const std::vector<std::uint32_t>& kept = picture.Kept().palette;
    const std::size_t entries =
        std::min({kept.size(), layout.palette.size() / 3,
                  static_cast<std::size_t>(std::max(picture.PaletteCount(), 0))});
    for (std::size_t k = 0; k < entries; ++k) {
        for (int c = 0; c < 3; ++c)
            layout.palette[3 * k + c] = static_cast<std::uint8_t>(kept[k] >> 8 * c);
        layout.transparency.push_back(static_cast<std::uint8_t>(kept[k] >> 24));
    }
    while (!layout.transparency.empty() && layout.transparency.back() == 255)
        layout.transparency.pop_back();
}

} // namespace

PngLayout LayoutOf(const THandyBitmap& picture) {
    PngLayout layout;
    layout.width = picture.biWidth();
    layout.height = picture.biHeight();
    const KeptLayer& kept = picture.Kept();
    if (kept.HasPixels() && kept.Width() == layout.width) {
        layout.fromKept = true;
        layout.bitDepth = kept.ChannelBits();
        layout.colorType = kept.HasAlpha() ? 6 : 2;
        layout.pixelBytes = (kept.HasAlpha() ? 4 : 3) * layout.bitDepth / 8;
        layout.rowBytes = std::int64_t{layout.width} * layout.pixelBytes;
        return layout;
    }
    if (IsIndexed(picture)) {
        layout.bitDepth = picture.biBitCount();
        layout.colorType = 3;
        layout.pixelBytes = 1;
        layout.rowBytes = (std::int64_t{layout.width} * layout.bitDepth + 7) / 8;
        std::int32_t entries = std::max(picture.PaletteCount(), 1);
        if (entries < picture.MaxColors())
            entries = std::max(entries, LargestIndex(picture) + 1);
        layout.palette.assign(3 * static_cast<std::size_t>(entries), 0);
        for (std::int32_t k = 0; k < picture.PaletteCount(); ++k) {
            const auto color = static_cast<std::uint32_t>(picture.GetPaletteColor(k));
            for (int c = 0; c < 3; ++c)
                layout.palette[3 * k + c] = static_cast<std::uint8_t>(color >> 8 * c);
        }
        if (!kept.palette.empty())
            UseKeptPalette(picture, layout);
    } else {
        layout.rowBytes = std::int64_t{layout.width} * 3;
    }
    return layout;
}

void MakePngRow(const THandyBitmap& picture, const PngLayout& layout, std::int32_t r,
                std::uint8_t* row) {
    if (layout.fromKept) {
        MakeKeptRow(picture, layout, r, row);
        return;
    }
    const std::int32_t* cells = picture.CellRow(layout.height - 1 - r);
    if (cells == nullptr) {
        std::fill_n(row, layout.rowBytes, 0);
        return;
    }
    const int depth = picture.biBitCount();
    if (layout.colorType == 3) {
        if (depth == 8)
            for (std::int32_t x = 0; x < layout.width; ++x)
                row[x] = static_cast<std::uint8_t>(cells[x]);
        else
            PackRow(depth, cells, layout.width, row); // MSB first, as PNG packs them
        return;
    }
    for (std::int32_t x = 0; x < layout.width; ++x, row += 3) {
        const auto v = static_cast<std::uint32_t>(cells[x]);
        if (depth == 16) {
            row[0] = WidenedFiveBits(v & 0xFF);
            row[1] = WidenedFiveBits(v >> 8 & 0xFF);
            row[2] = WidenedFiveBits(v >> 16 & 0xFF);
        } else {
            row[0] = static_cast<std::uint8_t>(v);
            row[1] = static_cast<std::uint8_t>(v >> 8);
            row[2] = static_cast<std::uint8_t>(v >> 16);
        }
    }
}

int ChosenFilter(const PngLayout& layout) {
    return layout.colorType == 3 ? 0 : 2;
}

void FilterRow(int filter, const PngLayout& layout, const std::uint8_t* row,
               const std::uint8_t* previous, std::uint8_t* out) {
    out[0] = static_cast<std::uint8_t>(filter);
    ++out;
    const std::int64_t n = layout.rowBytes;
    const int left = layout.pixelBytes;
    switch (filter) {
    case 1:
        std::copy_n(row, std::min<std::int64_t>(left, n), out);
        for (std::int64_t i = left; i < n; ++i)
            out[i] = static_cast<std::uint8_t>(row[i] - row[i - left]);
        return;
    case 2:
        for (std::int64_t i = 0; i < n; ++i)
            out[i] = static_cast<std::uint8_t>(row[i] - (previous != nullptr ? previous[i] : 0));
        return;
    default:
        std::copy_n(row, n, out);
    }
}

} // namespace slanter
