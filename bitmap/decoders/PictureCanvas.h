#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bitmap/KeptLayer.h"

namespace slanter {

class THandyBitmap;

// An RGBA colour of a decoder's palette: red in bits 0-7, green 8-15, blue 16-23, opacity
// 24-31.
constexpr std::uint32_t Rgba(int red, int green, int blue, int alpha = 255) {
    return std::uint32_t(red) | std::uint32_t(green) << 8 | std::uint32_t(blue) << 16 |
           std::uint32_t(alpha) << 24;
}

// Lays the rows a format's decoder gives, top row first as the file stores them, into the
// working picture: turned as the EXIF orientation (1 to 8) says, every colour laid over
// white by its opacity, row 0 of the record the bottom row as shown. What the cells lose
// is kept beside them (KeptLayer): a palette's opacities, a plane of straight colours once
// a pixel is less than opaque, and 16-bit channels as given. The record is made
// (and so zeroed) before the first row arrives, so that a row the file never gives stays
// the first palette entry or black, never leftover memory.
class PictureCanvas {
  public:
    PictureCanvas(THandyBitmap& picture, int orientation);

    // Makes the record for a stored picture of width x height pixels: 8 bits with the
    // palette when it has 1 to 256 entries, otherwise 24 bits. Answers the reason for a
    // refusal (sizes the record cannot hold, no memory), empty on success.
    std::string Start(std::int64_t width, std::int64_t height,
                      const std::vector<std::uint32_t>& palette = {});

    // Stored row y of colours, `channels` bytes a pixel: 3 (red, green, blue) or 4 (with
    // the opacity after them; premultiplied when said so).
    void PutColors(std::int32_t y, const std::uint8_t* row, int channels,
                   bool premultiplied = false);
    // Stored row y of palette indices, one byte each; an index past the palette keeps the
    // first entry.
    void PutIndices(std::int32_t y, const std::uint8_t* row);
    // The same packed `bits` (1, 2, 4 or 8) to a byte, the first pixel in the high bits.
    void PutPackedIndices(std::int32_t y, const std::uint8_t* row, int bits);
    // Stored row y of 16-bit channels, the low byte first: grey (1 channel), red, green and
    // blue (3) or with the opacity after them (4); each to the nearest 8-bit level.
    void PutWideColors(std::int32_t y, const std::uint8_t* row, int channels);
    // Stored row y of blue, green, red and opacity, in that order.
    void PutBgraColors(std::int32_t y, const std::uint8_t* row);

    // For formats whose files hold indices but whose palette order the program has always
    // taken from the colours (GIF, indexed TIFF): a colour picture of at most 256 colours
    // becomes an indexed one, its palette the colours in the order met from the bottom row
    // up. Unchanged with more colours.
    void MakeIndexedWhenFew();

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }

  private:
    // The record's cell of stored pixel (x, y).
    std::int32_t* Cell(std::int32_t x, std::int32_t y);
    // The kept pixel beside a cell, nullptr without a kept plane or a cell.
    KeptPixel* KeptOf(const std::int32_t* cell);
    // The plane for the first pixel less than opaque, or for deep channels: the cells
    // given so far copied into it as opaque.
    void StartKeptPlane(int channelBits);
    void PutKeptColors(std::int32_t y, const std::uint8_t* row, bool premultiplied);
    // After MakeIndexed: the straight palette in place of the plane, where it says as much.
    void KeepPaletteOfPlane();

    THandyBitmap& picture_;
    int orientation_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::vector<std::uint8_t> unpacked_; // a row as PutColors or PutIndices takes it
};

// The palette of grey levels stored in `bits` (1 to 8) bits: evenly spaced from black to
// white.
std::vector<std::uint32_t> EvenGreys(int bits);

// The working picture's colour of an RGBA colour: laid over white.
std::int32_t ColorOnWhite(int red, int green, int blue, int alpha);

// A 16-bit channel to the nearest 8-bit level.
constexpr int NearestEightBits(int channel) {
    return (channel * 255 + 32767) / 65535;
}

} // namespace slanter
