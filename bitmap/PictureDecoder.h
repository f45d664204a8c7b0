#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace slanter {

class THandyBitmap;

// The platform's picture decoder, behind one Qt-free interface for both front ends: the
// format libraries (bitmap/decoders), the Windows Imaging Component (bitmap/win32), or in
// a build with neither only the BMP files of the program's own reader.

// Decodes the picture file into the working picture the program's own reader and writer
// take: 8 bits with the picture's palette when the picture is indexed with at most 256
// colours, otherwise 24 bits; transparent and translucent pixels laid over white. Row 0
// of the record is the bottom row as shown. Answers the reason for a failure, empty on
// success; the record holds no usable picture after a failure.
std::string DecodePictureFile(const std::string& fileName, THandyBitmap& picture);

// The width and height of the picture DecodePictureFile would make, its recorded
// orientation applied, or the reason it would refuse the file.
std::string DecodedPictureSize(const std::string& fileName, std::int32_t& width,
                               std::int32_t& height);

// The extensions (lower case, without the dot) of the files DecodePictureFile reads.
std::vector<std::string> DecodedExtensions();

// Whether DecodePictureFile reads formats beyond the program's own BMP files.
bool DecodesOtherFormats();

} // namespace slanter
