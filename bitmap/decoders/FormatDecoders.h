#pragma once

#include <string>

namespace slanter {

class THandyBitmap;

// One decoder a format, over the library made for it. Each takes the file by its name as
// the system spells it (any bytes), makes the working picture (PictureCanvas.h) and
// answers the reason for a refusal in the run's language, empty on success.
std::string DecodePng(const std::string& fileName, THandyBitmap& picture);
std::string DecodeJpeg(const std::string& fileName, THandyBitmap& picture);
std::string DecodeGif(const std::string& fileName, THandyBitmap& picture);
std::string DecodeTiff(const std::string& fileName, THandyBitmap& picture);
std::string DecodeWebp(const std::string& fileName, THandyBitmap& picture);
// BMP files beyond the program's own reader: other headers, 32 bits, bit fields, RLE
// compression, rows stored top down.
std::string DecodeBmp(const std::string& fileName, THandyBitmap& picture);
// Netpbm's black-and-white, grey and colour files, plain and raw (P1 to P6).
std::string DecodePnm(const std::string& fileName, THandyBitmap& picture);

} // namespace slanter
