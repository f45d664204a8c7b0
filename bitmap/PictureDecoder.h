#pragma once

#include <string>
#include <vector>

namespace slanter {

class THandyBitmap;

// The platform's picture decoder, behind one Qt-free interface for both front ends. The
// build with Qt reads every format Qt's image readers know (PNG, JPEG, GIF, WebP, TIFF,
// BMP of every header ...); the build without Qt reads only the BMP files of the
// program's own reader and says so.

// Decodes the picture file into the working picture the program's own reader and writer
// take: 8 bits with the picture's palette when the picture is indexed with at most 256
// colours, otherwise 24 bits; transparent and translucent pixels laid over white. Row 0
// of the record is the bottom row as shown. Answers the reason for a failure, empty on
// success; the record holds no usable picture after a failure.
std::string DecodePictureFile(const std::string& fileName, THandyBitmap& picture);

// The extensions (lower case, without the dot) of the files DecodePictureFile reads.
std::vector<std::string> DecodedExtensions();

// Whether DecodePictureFile reads formats beyond the program's own BMP files.
bool DecodesOtherFormats();

} // namespace slanter
