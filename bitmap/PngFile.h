#pragma once

#include <string>

namespace slanter {

class THandyBitmap;
struct PngEncoding;

// Writes the picture as a PNG file named by exactly these bytes: lossless, the same pixels
// as its BMP file, an indexed picture with its palette. Answers the reason for a failure,
// the system's own where it gives one; empty on success.
std::string SaveAsPng(const THandyBitmap& picture, const std::string& fileName);
std::string SaveAsPng(const THandyBitmap& picture, const std::string& fileName,
                      const PngEncoding& encoding);

// Why this build writes no PNG files; empty when it writes them (every build now does).
// Asked before work whose result is to go to a PNG file.
std::string PngWriterMissing();

// Whether a file name asks for a PNG file: its extension is "png" in any case.
bool NamesPngFile(const std::string& fileName);

} // namespace slanter
