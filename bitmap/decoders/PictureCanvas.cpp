#include "bitmap/decoders/PictureCanvas.h"

#include <algorithm>
#include <new>
#include <utility>

#include "bitmap/ErrorTexts.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/IndexedColors.h"
#include "bitmap/WhiteBackground.h"

namespace slanter {

namespace {

constexpr std::size_t kMostPaletteColors = 256;

// Orientations 5 to 8 exchange the picture's width and height.
bool Transposes(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

} // namespace

std::int32_t ColorOnWhite(int red, int green, int blue, int alpha) {
    return OverWhite(red, alpha) | OverWhite(green, alpha) << 8 | OverWhite(blue, alpha) << 16;
}

PictureCanvas::PictureCanvas(THandyBitmap& picture, int orientation)
    : picture_(picture), orientation_(orientation >= 1 && orientation <= 8 ? orientation : 1) {}

std::string PictureCanvas::Start(std::int64_t width, std::int64_t height,
                                 const std::vector<std::uint32_t>& palette) {
    if (width <= 0 || height <= 0)
        return bitmap_text::kCantReadImage;
    if (width > THandyBitmap::kMaxPixels || height > THandyBitmap::kMaxPixels ||
        width * height > THandyBitmap::kMaxPixels)
        return bitmap_text::kTooLarge;
    width_ = static_cast<std::int32_t>(width);
    height_ = static_cast<std::int32_t>(height);
    const bool indexed = !palette.empty() && palette.size() <= kMostPaletteColors;
    const std::int32_t shownWidth = Transposes(orientation_) ? height_ : width_;
    const std::int32_t shownHeight = Transposes(orientation_) ? width_ : height_;
    picture_.SetPaletteCount(0);
    picture_.NewImage(shownWidth, shownHeight, indexed ? 8 : 24);
    if (picture_.biWidth() != shownWidth || picture_.biHeight() != shownHeight)
        return bitmap_text::kOutOfMemory;
    if (indexed) {
        const auto count = static_cast<std::int32_t>(palette.size());
        picture_.SetPaletteCount(count);
        if (picture_.PaletteCount() != count)
            return bitmap_text::kOutOfMemory;
        for (std::int32_t k = 0; k < count; ++k) {
            const std::uint32_t c = palette[k];
            picture_.SetPaletteColor(k,
                                     ColorOnWhite(c & 255, c >> 8 & 255, c >> 16 & 255, c >> 24));
        }
        if (std::any_of(palette.begin(), palette.end(),
                        [](std::uint32_t c) { return c >> 24 != 255; }))
            picture_.Kept().palette = palette;
    }
    return {};
}

std::int32_t* PictureCanvas::Cell(std::int32_t x, std::int32_t y) {
    std::int32_t column = x, row = y;
    switch (orientation_) {
    case 2:
        column = width_ - 1 - x;
        break;
    case 3:
        column = width_ - 1 - x;
        row = height_ - 1 - y;
        break;
    case 4:
        row = height_ - 1 - y;
        break;
    case 5:
        column = y;
        row = x;
        break;
    case 6:
        column = height_ - 1 - y;
        row = x;
        break;
    case 7:
        column = height_ - 1 - y;
        row = width_ - 1 - x;
        break;
    case 8:
        column = y;
        row = width_ - 1 - x;
        break;
    default:
        break;
    }
    // Rows as shown, top first; the record keeps the bottom row first.
    std::int32_t* cells = picture_.CellRow(picture_.biHeight() - 1 - row);
    return cells == nullptr ? nullptr : cells + column;
}

KeptPixel* PictureCanvas::KeptOf(const std::int32_t* cell) {
    KeptLayer& kept = picture_.Kept();
    return kept.HasPixels() ? kept.Pixels() + (cell - picture_.CellRow(0)) : nullptr;
}

void PictureCanvas::StartKeptPlane(int channelBits) {
    KeptLayer& kept = picture_.Kept();
    const std::int32_t width = picture_.biWidth();
    const std::int32_t height = picture_.biHeight();
    // Thrown, as the decoders' own buffers are, to end the decoding as out of memory.
    if (!kept.ResetPixels(width, height, channelBits, false))
        throw std::bad_alloc();
    // The rows given so far were opaque; those still to come overwrite theirs.
    KeptPixel* pixels = kept.Pixels();
    for (std::int32_t y = 0; y < height; ++y) {
        const std::int32_t* cells = picture_.CellRow(y);
        for (std::int32_t x = 0; x < width; ++x, ++pixels) {
            const auto c = static_cast<std::uint32_t>(cells[x]);
            *pixels = MakeKeptPixel(c & 255, c >> 8 & 255, c >> 16 & 255, 255);
        }
    }
}

void PictureCanvas::PutColors(std::int32_t y, const std::uint8_t* row, int channels,
                              bool premultiplied) {
    if (y < 0 || y >= height_ || picture_.PaletteCount() > 0)
        return;
    KeptLayer& kept = picture_.Kept();
    if (channels == 4 && !kept.HasPixels()) {
        for (std::int32_t x = 0; x < width_; ++x)
            if (row[4 * static_cast<std::size_t>(x) + 3] != 255) {
                StartKeptPlane(8);
                break;
            }
    }
    if (channels == 4 && kept.ChannelBits() == 8)
        PutKeptColors(y, row, premultiplied);
    // A picture as stored fills its record's row in order.
    std::int32_t* cells = orientation_ == 1 ? Cell(0, y) : nullptr;
    if (cells != nullptr && channels == 3) {
        for (std::int32_t x = 0; x < width_; ++x, row += 3)
            cells[x] = row[0] | row[1] << 8 | row[2] << 16;
        return;
    }
    for (std::int32_t x = 0; x < width_; ++x, row += channels) {
        std::int32_t color;
        if (channels == 3)
            color = row[0] | row[1] << 8 | row[2] << 16;
        else if (premultiplied)
            // Each channel already holds its share; white fills what the opacity leaves.
            color = std::min(row[0] + 255 - row[3], 255) |
                    std::min(row[1] + 255 - row[3], 255) << 8 |
                    std::min(row[2] + 255 - row[3], 255) << 16;
        else
            color = ColorOnWhite(row[0], row[1], row[2], row[3]);
        if (std::int32_t* cell = cells != nullptr ? cells + x : Cell(x, y))
            *cell = color;
    }
}

void PictureCanvas::PutKeptColors(std::int32_t y, const std::uint8_t* row, bool premultiplied) {
    KeptLayer& kept = picture_.Kept();
    for (std::int32_t x = 0; x < width_; ++x, row += 4) {
        KeptPixel* pixel = KeptOf(Cell(x, y));
        if (pixel == nullptr)
            continue;
        const int alpha = row[3];
        const auto straight = [&](int channel) -> std::uint32_t {
            if (!premultiplied)
                return channel;
            return alpha == 0 ? 0 : std::min((channel * 255 + alpha / 2) / alpha, 255);
        };
        *pixel = MakeKeptPixel(straight(row[0]), straight(row[1]), straight(row[2]), alpha);
        if (alpha != 255)
            kept.MarkAlpha();
    }
}

void PictureCanvas::PutIndices(std::int32_t y, const std::uint8_t* row) {
    const std::int32_t count = picture_.PaletteCount();
    if (y < 0 || y >= height_ || count == 0)
        return;
    for (std::int32_t x = 0; x < width_; ++x)
        if (std::int32_t* cell = Cell(x, y); cell != nullptr && row[x] < count)
            *cell = row[x];
}

void PictureCanvas::PutPackedIndices(std::int32_t y, const std::uint8_t* row, int bits) {
    unpacked_.resize(static_cast<std::size_t>(width_));
    const int mask = (1 << bits) - 1;
    for (std::int32_t x = 0; x < width_; ++x) {
        const std::uint64_t bit = std::uint64_t{static_cast<std::uint32_t>(x)} * bits;
        unpacked_[x] = static_cast<std::uint8_t>(row[bit / 8] >> (8 - bits - bit % 8) & mask);
    }
    PutIndices(y, unpacked_.data());
}

void PictureCanvas::PutWideColors(std::int32_t y, const std::uint8_t* row, int channels) {
    unpacked_.resize(static_cast<std::size_t>(width_) * 4);
    for (std::int32_t x = 0; x < width_; ++x) {
        std::uint8_t* pixel = unpacked_.data() + std::size_t{static_cast<std::uint32_t>(x)} * 4;
        pixel[3] = 255;
        for (int c = 0; c < channels; ++c) {
            const std::uint8_t* word =
                row + (std::size_t{static_cast<std::uint32_t>(x)} * channels + c) * 2;
            pixel[c] = static_cast<std::uint8_t>(NearestEightBits(word[0] | word[1] << 8));
        }
        if (channels == 1)
            pixel[1] = pixel[2] = pixel[0];
    }
    // Sixteen bits a channel are kept as they are, beside the cells' nearest 8 bits.
    if (!picture_.Kept().HasPixels())
        StartKeptPlane(16);
    PutColors(y, unpacked_.data(), 4);
    KeptLayer& kept = picture_.Kept();
    for (std::int32_t x = 0; x < width_; ++x) {
        KeptPixel* pixel = KeptOf(Cell(x, y));
        if (pixel == nullptr)
            continue;
        std::uint32_t values[4] = {0, 0, 0, 0xFFFF};
        for (int c = 0; c < channels; ++c) {
            const std::uint8_t* word =
                row + (std::size_t{static_cast<std::uint32_t>(x)} * channels + c) * 2;
            values[c] = word[0] | word[1] << 8;
        }
        if (channels == 1)
            values[1] = values[2] = values[0];
        *pixel = MakeKeptPixel(values[0], values[1], values[2], values[3]);
        if (values[3] != 0xFFFF)
            kept.MarkAlpha();
    }
}

void PictureCanvas::PutBgraColors(std::int32_t y, const std::uint8_t* row) {
    unpacked_.resize(static_cast<std::size_t>(width_) * 4);
    for (std::size_t k = 0; k < unpacked_.size(); k += 4) {
        unpacked_[k] = row[k + 2];
        unpacked_[k + 1] = row[k + 1];
        unpacked_[k + 2] = row[k];
        unpacked_[k + 3] = row[k + 3];
    }
    PutColors(y, unpacked_.data(), 4);
}

std::vector<std::uint32_t> EvenGreys(int bits) {
    const int count = 1 << bits;
    std::vector<std::uint32_t> greys;
    for (int k = 0; k < count; ++k) {
        const int level = k * 255 / (count - 1);
        greys.push_back(Rgba(level, level, level));
    }
    return greys;
}

void PictureCanvas::MakeIndexedWhenFew() {
    if (picture_.PaletteCount() == 0 && MakeIndexed(picture_))
        KeepPaletteOfPlane();
}

void PictureCanvas::KeepPaletteOfPlane() {
    KeptLayer& kept = picture_.Kept();
    if (!kept.HasPixels() || kept.ChannelBits() != 8)
        return;
    // Each entry's own straight colour, where no two colours laid over white met in one
    // entry (a transparent pixel and an opaque white one do); otherwise the plane stays.
    std::vector<std::uint32_t> palette(static_cast<std::size_t>(picture_.PaletteCount()), 0);
    std::vector<bool> seen(palette.size(), false);
    const KeptPixel* pixels = kept.Pixels();
    for (std::int32_t y = 0; y < picture_.biHeight(); ++y) {
        const std::int32_t* cells = picture_.CellRow(y);
        for (std::int32_t x = 0; x < picture_.biWidth(); ++x, ++pixels) {
            const KeptPixel p = *pixels;
            const std::uint32_t color =
                Rgba(KeptChannel(p, 0), KeptChannel(p, 1), KeptChannel(p, 2), KeptChannel(p, 3));
            const auto index = static_cast<std::size_t>(cells[x]);
            if (seen[index] && palette[index] != color)
                return;
            seen[index] = true;
            palette[index] = color;
        }
    }
    kept.ReleasePixels();
    kept.palette = std::move(palette);
}

} // namespace slanter
