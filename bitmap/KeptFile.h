#pragma once

#include <string>

namespace slanter {

class THandyBitmap;

// The desktop program's temporary pictures are BMP files, which hold only the cells; what
// the picture keeps beyond them (KeptLayer) goes into a file of its own beside, so that a
// result saved as PNG or copied later still has its transparency, depth and profile.

// The name of the file beside a BMP file.
std::string KeptFileBeside(const std::string& bmpFile);

// Writes the picture's kept layer beside the BMP file, or removes an old one when the
// picture keeps nothing. Answers the reason for a failure, empty on success.
std::string WriteKeptBeside(const THandyBitmap& picture, const std::string& bmpFile);

// Reads the kept layer beside the BMP file into the picture, which was just loaded from
// it; nothing when there is none or it does not fit the picture.
void ReadKeptBeside(const std::string& bmpFile, THandyBitmap& picture);

} // namespace slanter
