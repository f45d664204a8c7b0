#pragma once

#include <cstdint>

namespace slanter {

// A number of `count` bytes (at most 4) as a file stores it: its most significant byte
// first (big-endian) or last (little-endian).
inline std::uint32_t BigEndian(const std::uint8_t* bytes, int count = 4) {
    std::uint32_t value = 0;
    for (int k = 0; k < count; ++k)
        value = value << 8 | bytes[k];
    return value;
}

inline std::uint32_t LittleEndian(const std::uint8_t* bytes, int count = 4) {
    std::uint32_t value = 0;
    for (int k = count - 1; k >= 0; --k)
        value = value << 8 | bytes[k];
    return value;
}

} // namespace slanter
