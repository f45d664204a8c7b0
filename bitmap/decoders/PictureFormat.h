#pragma once

#include <cstdint>
#include <string>

namespace slanter {

struct StoredSize;

// The formats a picture file may hold, as its first bytes name them.
enum class PictureFormat {
    Unknown,
    Png,
    Jpeg,
    Gif,
    Tiff,
    Webp,
    Bmp,
    Pnm,
    Icns,
    Ico,
    Xpm,
    Xbm,
    Wbmp,
    Tga
};

// The format of the file by its first bytes, whatever its name says; the formats without a
// signature (WBMP, TGA) only when no other format's signature fits and their header holds.
// False when the file cannot be opened. Both platforms' decoders choose by this one rule.
bool ReadPictureFormat(const std::string& fileName, PictureFormat& format);

// The size a decoder makes from the size its file's headers record, turned as they record,
// or the reason the decoder refuses that size.
std::string DecodedSizeOf(const StoredSize& size, std::int32_t& width, std::int32_t& height);

} // namespace slanter
