#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bitmap/HandyBitmap.h"
#include "support/TempFolder.h"

namespace slanter::testing {

// A picture as another program (Pillow or ImageMagick) decoded it, as written by
// tests/bitmap/foreign_bmp.py: rows top first as shown.
struct ForeignPicture {
    bool ok = false;
    std::string error;
    int width = 0;
    int height = 0;
    std::string mode; // Pillow's mode, or RGB for ImageMagick
    Bytes rgb;        // red, green, blue for each pixel
    Bytes index;      // palette indices, for mode P only
};

ForeignPicture ReadForeignPicture(const std::string& path);

// Runs foreign_bmp.py with the words given (each quoted); true when it succeeded.
bool RunForeignScript(std::vector<std::string> words);

// Pillow's decoding of each file, in the order given.
std::vector<ForeignPicture> DecodeWithPillow(const std::vector<std::string>& files,
                                             const TempFolder& folder);

// Where the loaded record and the decoded picture differ; empty when they agree. A
// record's row y is the picture's row height - 1 - y from the top. An indexed cell
// outside the palette is compared with the decoder's index. With pillowFiveBits the
// record's 16-bit channels (5 bits times 8) are compared as Pillow widens 5 bits.
std::string FirstDifference(const THandyBitmap& bitmap, const ForeignPicture& picture,
                            bool pillowFiveBits);

} // namespace slanter::testing
