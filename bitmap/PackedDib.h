#pragma once

#include <cstdint>
#include <vector>

#include "bitmap/BmpHeaders.h"

namespace slanter {

// A device-independent bitmap packed as the Windows clipboard holds it: the info header,
// the colour table and the pixels, which is a BMP file without its 14-byte file header.
using PackedDib = std::vector<unsigned char>;

// The DIB's info header; false when it is too short to hold one.
bool ReadDibHeader(const PackedDib& dib, TBmpInfoHeader& header);
// Where its pixels begin: after the info header, the colour table and the masks of a
// 40-byte header with bit fields. Taken in 64 bits so that a damaged header cannot wrap.
std::uint64_t DibPixelOffset(const TBmpInfoHeader& header);
// Whether the program's own reader takes the DIB as it stands behind a file header: a
// 40-byte header, a palette picture, uncompressed, its bottom row first.
bool DibReadAsItIs(const TBmpInfoHeader& header);

// The BMP file of the DIB: a file header before it.
std::vector<unsigned char> BmpFileOfDib(const PackedDib& dib);
// The DIB of a BMP file's bytes; empty when they are no BMP file.
PackedDib DibOfBmpFile(const std::vector<unsigned char>& file);

} // namespace slanter
