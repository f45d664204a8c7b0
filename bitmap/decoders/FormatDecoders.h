#pragma once

#include <cstdint>
#include <cstdio>
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
// Truevision TGA: colour-mapped, true colour (15 to 32 bits) and grey, plain or run-length
// encoded, stored from any corner.
std::string DecodeTga(const std::string& fileName, THandyBitmap& picture);
// WAP's black-and-white WBMP (type 0).
std::string DecodeWbmp(const std::string& fileName, THandyBitmap& picture);
// X11's black-and-white XBM and its colour XPM (version 3) C sources.
std::string DecodeXbm(const std::string& fileName, THandyBitmap& picture);
std::string DecodeXpm(const std::string& fileName, THandyBitmap& picture);

// Apple's icon files: the largest picture they hold, a PNG one or one of 32 bits with its
// mask.
std::string DecodeIcns(const std::string& fileName, THandyBitmap& picture);
// Windows icon and cursor files: their first picture, as the Windows program's decoder
// takes it, a PNG one or a DIB one with its mask.
std::string DecodeIco(const std::string& fileName, THandyBitmap& picture);
// A PNG picture from an open file, read from where the file stands.
std::string DecodePngStream(std::FILE* file, THandyBitmap& picture);

// TGA and WBMP files have no signature: whether the file's header is one such a file has.
bool LooksLikeTga(const std::string& fileName);
bool LooksLikeWbmp(const std::string& fileName);

// The size a file's headers record for the picture its decoder makes, before the recorded
// orientation (1 to 8) is applied, read without decoding the pixels.
struct StoredSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
    int orientation = 1;
};
std::string PngSize(const std::string& fileName, StoredSize& size);
std::string PngStreamSize(std::FILE* file, StoredSize& size);
std::string JpegSize(const std::string& fileName, StoredSize& size);
std::string GifSize(const std::string& fileName, StoredSize& size);
std::string TiffSize(const std::string& fileName, StoredSize& size);
std::string WebpSize(const std::string& fileName, StoredSize& size);
std::string BmpSize(const std::string& fileName, StoredSize& size);
std::string PnmSize(const std::string& fileName, StoredSize& size);
std::string IcnsSize(const std::string& fileName, StoredSize& size);
std::string IcoSize(const std::string& fileName, StoredSize& size);
std::string TgaSize(const std::string& fileName, StoredSize& size);
std::string WbmpSize(const std::string& fileName, StoredSize& size);
std::string XbmSize(const std::string& fileName, StoredSize& size);
std::string XpmSize(const std::string& fileName, StoredSize& size);

} // namespace slanter
