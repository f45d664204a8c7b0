#pragma once

#include <string>

namespace slanter {

class THandyBitmap;

// Writes the picture as a PNG file: lossless, the same pixels as its BMP file, an indexed
// picture with its palette. Answers the reason for a failure, empty on success; the build
// without Qt writes no PNG files and says so.
std::string SaveAsPng(const THandyBitmap& picture, const std::string& fileName);

// Why this build writes no PNG files; empty when it writes them. Asked before work whose
// result is to go to a PNG file.
std::string PngWriterMissing();

// Whether a file name asks for a PNG file: its extension is "png" in any case.
bool NamesPngFile(const std::string& fileName);

} // namespace slanter
