#pragma once

#include <cstdint>

namespace slanter {

// Bytes of one stored row: the row's bits rounded up to whole 32-bit words. Taken in
// 64 bits so that a header's values can be tried before they are trusted.
constexpr std::int64_t RowBytes(std::int64_t bitCount, std::int64_t width) {
    return (bitCount * width + 31) / 32 * 4;
}

// Rows of `rowBytes` bytes that the reader and the writer move in one piece: about
// 256 KB, small enough to stay in the cache between the file and the cells, at least
// one row and at most `height`.
constexpr std::int64_t PieceRows(std::int64_t rowBytes, std::int64_t height) {
    constexpr std::int64_t kPieceBytes = 256 * 1024;
    const std::int64_t rows = rowBytes > 0 ? kPieceBytes / rowBytes : height;
    return rows < 1 ? 1 : rows > height && height > 0 ? height : rows;
}

// The depths a file may store: 1, 4, 8, 16 or 24 bits per pixel.
constexpr bool IsStoredDepth(std::int64_t bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24;
}

// One stored row into width cells: indices at 1, 4 and 8 bits, colour values (red in the
// lowest byte) at 16 and 24. bitCount must be a stored depth.
void UnpackRow(int bitCount, const std::uint8_t* row, std::int32_t width, std::int32_t* cells);

// width cells into one stored row. Indices keep only the bits of the depth, so that any
// cell gives a well-formed file. Padding bytes are left as they are.
void PackRow(int bitCount, const std::int32_t* cells, std::int32_t width, std::uint8_t* row);

} // namespace slanter
