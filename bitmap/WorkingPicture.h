#pragma once

#include <cstdint>
#include <string>

namespace slanter {

class THandyBitmap;

// Whether the program's own reader refused the file for what its header is rather than
// for damage: no BMP file at all (also one shorter than a BMP file header that does not
// begin with "BM"), an info header of another size (V4, V5, OS/2), a depth
// it does not read (32 bits), compressed pixel data, or rows stored top down. Only such
// files go on to the platform's decoder; a damaged BMP keeps the reader's own text.
bool DecoderMayTake(const THandyBitmap& refused);

// Loads a picture file as both front ends take it: the program's own reader first, and
// for a file DecoderMayTake the platform's decoder (PictureDecoder.h). Answers the reason
// for a failure, empty on success: for a BMP file that neither reads, the reader's text
// (with the decoder's after it where the decoder reads BMP files only); for any other
// file the decoder's.
std::string LoadWorkingPicture(const std::string& fileName, THandyBitmap& picture);

// The width and height of the working picture LoadWorkingPicture makes of the file. A BMP
// file of the program's own reader gives them from its headers alone, however large its
// pixel data; other files are decoded. Answers the reason for a failure, empty on success.
std::string WorkingPictureSize(const std::string& fileName, std::int32_t& width,
                               std::int32_t& height);

} // namespace slanter
