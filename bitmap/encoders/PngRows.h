#pragma once

#include <cstdint>
#include <vector>

namespace slanter {

class THandyBitmap;

// How a picture is laid out as PNG rows: an indexed picture of 1, 4 or 8 bits keeps its
// depth and its palette (with its opacities where it keeps them), a picture with a kept
// plane is written from it (RGB or RGBA, 8 or 16 bits), every other one becomes 8-bit RGB.
struct PngLayout {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bitDepth = 8;
    int colorType = 2; // 2 RGB, 3 palette, 6 RGBA
    // Bytes of one row without its filter byte, and bytes of one pixel (at least 1), the
    // distance the Sub filter looks back.
    std::int64_t rowBytes = 0;
    int pixelBytes = 3;
    // RGB triples of the PLTE chunk: the palette, followed by black entries where a cell
    // holds an index past it, so that every cell names an entry.
    std::vector<std::uint8_t> palette;
    // The tRNS chunk's opacities of the palette's first entries; empty when all are opaque.
    std::vector<std::uint8_t> transparency;
    bool fromKept = false; // rows from the kept plane rather than the cells
};

PngLayout LayoutOf(const THandyBitmap& picture);

// PNG row r (counted from the top, as PNG stores them) of picture, rowBytes of it.
void MakePngRow(const THandyBitmap& picture, const PngLayout& layout, std::int32_t r,
                std::uint8_t* row);

// The filter every row gets: none for indexed rows (their bytes are not magnitudes), Up
// for colour rows: as cheap as Sub, and smaller on turned photographs and patterns.
int ChosenFilter(const PngLayout& layout);

// One filtered row: the filter byte, then rowBytes bytes. previous is the row above
// unfiltered, nullptr for the first row.
void FilterRow(int filter, const PngLayout& layout, const std::uint8_t* row,
               const std::uint8_t* previous, std::uint8_t* out);

} // namespace slanter
