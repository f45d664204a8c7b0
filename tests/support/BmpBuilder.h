#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "support/TempFolder.h"

namespace slanter::testing {

// The fields and contents of a BMP file to make. Every field goes out as given, so that
// files can be wrong in exactly one place; the unset ones follow from the contents.
struct BmpLayout {
    std::uint16_t type = 0x4D42;
    std::optional<std::int32_t> size;    // bfSize: the file's length when unset
    std::optional<std::int32_t> offBits; // 54 + the table's length when unset
    std::int32_t infoSize = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::int32_t compression = 0;
    std::int32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::optional<std::int32_t> clrUsed; // the table's entries when unset
    std::int32_t clrImportant = 0;
    Bytes table;    // the colour table as stored, 4 bytes an entry
    Bytes image;    // the pixel data as stored
    Bytes trailing; // anything after the pixel data
};

Bytes BuildBmp(const BmpLayout& layout);

// One colour-table entry as stored.
struct Quad {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
};
Bytes TableOf(const std::vector<Quad>& entries);

// Rows as given, each padded with zero bytes to rowBytes.
Bytes PaddedRows(const std::vector<Bytes>& rows, std::size_t rowBytes);

// Little-endian fields of a file's bytes.
std::int32_t I32At(const Bytes& bytes, std::size_t offset);
std::uint16_t U16At(const Bytes& bytes, std::size_t offset);

} // namespace slanter::testing
