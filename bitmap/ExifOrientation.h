#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace slanter {

// The orientation (1 to 8) an EXIF block records: a TIFF header and its first directory,
// as JPEG's APP1 segment (after "Exif\0\0"), PNG's eXIf chunk and WebP's EXIF chunk hold
// it. 1, as stored, when the block records none or is damaged.
int ExifOrientation(const std::uint8_t* data, std::size_t size);

// Fills `into` with the `bytes` bytes at offset `at` of a file; false when the file holds
// fewer.
using ByteReader = std::function<bool(std::uint64_t at, std::size_t bytes, std::uint8_t* into)>;

// The same for a block of `size` bytes at `at` of a file, read a few bytes at a time.
int ExifOrientation(const ByteReader& read, std::uint64_t at, std::uint64_t size);

// The orientation a picture file records, found where its format keeps the EXIF block:
// JPEG's first APP1 "Exif" segment, PNG's eXIf chunk before the pixels, WebP's EXIF
// chunk, a TIFF file's first directory. 1 for other files and files that record none.
int FileOrientation(const ByteReader& read);

} // namespace slanter
