#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace slanter {

// The headers lie in memory in the file's own order and widths, so that each block is
// read and written as it stands. That needs a little-endian machine.
static_assert(std::endian::native == std::endian::little);

// The file header after its two signature bytes (bfType), which are read on their own.
struct TBmpFileHeader {
    std::int32_t bfSize = 0;
    std::uint16_t bfReserved1 = 0;
    std::uint16_t bfReserved2 = 0;
    std::int32_t bfOffBits = 0;
};

struct TBmpInfoHeader {
    std::int32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 0;
    std::int32_t biCompression = 0;
    std::int32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::int32_t biClrUsed = 0;
    std::int32_t biClrImportant = 0;
};

inline constexpr std::uint16_t kBmpSignature = 0x4D42; // "BM"
inline constexpr std::int32_t kFileHeaderBytes = 14;
inline constexpr std::int32_t kInfoHeaderBytes = 40;
inline constexpr std::int32_t kHeadersBytes = kFileHeaderBytes + kInfoHeaderBytes;

static_assert(sizeof(TBmpFileHeader) == kFileHeaderBytes - 2);
static_assert(offsetof(TBmpFileHeader, bfOffBits) == 8);
static_assert(sizeof(TBmpInfoHeader) == kInfoHeaderBytes);
static_assert(offsetof(TBmpInfoHeader, biPlanes) == 12);
static_assert(offsetof(TBmpInfoHeader, biCompression) == 16);
static_assert(offsetof(TBmpInfoHeader, biClrImportant) == 36);

} // namespace slanter
