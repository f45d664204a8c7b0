#pragma once

#include <cstddef>
#include <cstdint>

namespace slanter {

// The orientation (1 to 8) an EXIF block records: a TIFF header and its first directory,
// as JPEG's APP1 segment (after "Exif\0\0"), PNG's eXIf chunk and WebP's EXIF chunk hold
// it. 1, as stored, when the block records none or is damaged.
int ExifOrientation(const std::uint8_t* data, std::size_t size);

} // namespace slanter
