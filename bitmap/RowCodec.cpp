#include "bitmap/RowCodec.h"

#include <cstring>

namespace slanter {

namespace {

constexpr std::int32_t ColorValue(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return static_cast<std::int32_t>(red | green << 8 | blue << 16);
}

// The channels of a cell as the writer takes them: with division toward zero, so that a
// cell holding -1 (no colour) goes out as red 255, green 0, blue 0.
struct Channels {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

constexpr Channels ChannelsOf(std::int32_t cell) {
    return {static_cast<std::uint8_t>(cell & 255), static_cast<std::uint8_t>((cell / 256) & 255),
            static_cast<std::uint8_t>((cell / 65536) & 255)};
}

void Unpack1(const std::uint8_t* row, std::int32_t width, std::int32_t* cells) {
    std::int32_t x = 0;
    for (; x + 8 <= width; x += 8) {
        const std::uint8_t byte = row[x / 8];
        for (int bit = 0; bit < 8; ++bit)
            cells[x + bit] = (byte >> (7 - bit)) & 1;
    }
    for (; x < width; ++x)
        cells[x] = (row[x / 8] >> (7 - x % 8)) & 1;
}

void Unpack4(const std::uint8_t* row, std::int32_t width, std::int32_t* cells) {
    for (std::int32_t x = 0; x < width; ++x)
        cells[x] = x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 15;
}

void Unpack16(const std::uint8_t* row, std::int32_t width, std::int32_t* cells) {
    for (std::int32_t x = 0; x < width; ++x) {
        const std::uint32_t word = row[2 * x] | std::uint32_t{row[2 * x + 1]} << 8;
        cells[x] = ColorValue((word >> 10 & 31) * 8, (word >> 5 & 31) * 8, (word & 31) * 8);
    }
}

void Unpack24(const std::uint8_t* row, std::int32_t width, std::int32_t* cells) {
    // Four bytes at a time (blue, green, red and the next pixel's blue); the last pixel
    // is read alone since a row may end right after it.
    std::int32_t x = 0;
    for (; x + 1 < width; ++x) {
        std::uint32_t bytes;
        std::memcpy(&bytes, row + 3 * x, 4);
        cells[x] = static_cast<std::int32_t>((bytes & 0xFF) << 16 | (bytes & 0xFF00) |
                                             (bytes >> 16 & 0xFF));
    }
    if (x < width)
        cells[x] = ColorValue(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
}

void Pack1(const std::int32_t* cells, std::int32_t width, std::uint8_t* row) {
    for (std::int32_t x = 0; x < width; x += 8) {
        std::uint32_t byte = 0;
        for (std::int32_t bit = 0; bit < 8 && x + bit < width; ++bit)
            byte |= static_cast<std::uint32_t>(cells[x + bit] & 1) << (7 - bit);
        row[x / 8] = static_cast<std::uint8_t>(byte);
    }
}

void Pack4(const std::int32_t* cells, std::int32_t width, std::uint8_t* row) {
    for (std::int32_t x = 0; x < width; x += 2) {
        std::uint32_t byte = static_cast<std::uint32_t>(cells[x] & 15) << 4;
        if (x + 1 < width)
            byte |= static_cast<std::uint32_t>(cells[x + 1] & 15);
        row[x / 2] = static_cast<std::uint8_t>(byte);
    }
}

bool AnyNegative(const std::int32_t* cells, std::int32_t width) {
    std::uint32_t signs = 0;
    for (std::int32_t x = 0; x < width; ++x)
        signs |= static_cast<std::uint32_t>(cells[x]);
    return (signs >> 31) != 0;
}

void Pack16(const std::int32_t* cells, std::int32_t width, std::uint8_t* row) {
    for (std::int32_t x = 0; x < width; ++x) {
        const Channels c = ChannelsOf(cells[x]);
        const std::uint32_t word = (c.red / 8u) << 10 | (c.green / 8u) << 5 | c.blue / 8u;
        row[2 * x] = static_cast<std::uint8_t>(word);
        row[2 * x + 1] = static_cast<std::uint8_t>(word >> 8);
    }
}

void Pack24(const std::int32_t* cells, std::int32_t width, std::uint8_t* row) {
    // For cells of 0 and above the divisions toward zero are plain shifts; only a row
    // holding a negative cell (the getters' -1) takes the slow road.
    if (AnyNegative(cells, width)) {
        for (std::int32_t x = 0; x < width; ++x, row += 3) {
            const Channels c = ChannelsOf(cells[x]);
            row[0] = c.blue;
            row[1] = c.green;
            row[2] = c.red;
        }
        return;
    }
    // Four bytes at a time, the fourth overwritten by the next pixel; the last pixel is
    // written alone so that nothing lands past the row.
    std::int32_t x = 0;
    for (; x + 1 < width; ++x) {
        const auto v = static_cast<std::uint32_t>(cells[x]);
        const std::uint32_t bytes = (v >> 16 & 0xFF) | (v & 0xFF00) | (v & 0xFF) << 16;
        std::memcpy(row + 3 * x, &bytes, 4);
    }
    if (x < width) {
        const auto v = static_cast<std::uint32_t>(cells[x]);
        row[3 * x] = static_cast<std::uint8_t>(v >> 16);
        row[3 * x + 1] = static_cast<std::uint8_t>(v >> 8);
        row[3 * x + 2] = static_cast<std::uint8_t>(v);
    }
}

} // namespace

void UnpackRow(int bitCount, const std::uint8_t* row, std::int32_t width, std::int32_t* cells) {
    switch (bitCount) {
    case 1:
        return Unpack1(row, width, cells);
    case 4:
        return Unpack4(row, width, cells);
    case 8:
        for (std::int32_t x = 0; x < width; ++x)
            cells[x] = row[x];
        return;
    case 16:
        return Unpack16(row, width, cells);
    case 24:
        return Unpack24(row, width, cells);
    }
}

void PackRow(int bitCount, const std::int32_t* cells, std::int32_t width, std::uint8_t* row) {
    switch (bitCount) {
    case 1:
        return Pack1(cells, width, row);
    case 4:
        return Pack4(cells, width, row);
    case 8:
        for (std::int32_t x = 0; x < width; ++x)
            row[x] = static_cast<std::uint8_t>(cells[x] & 255);
        return;
    case 16:
        return Pack16(cells, width, row);
    case 24:
        return Pack24(cells, width, row);
    }
}

} // namespace slanter
