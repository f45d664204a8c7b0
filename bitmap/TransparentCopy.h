#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace slanter {

class THandyBitmap;

// Copy puts a result with clear parts on the clipboard twice: as the plain bitmap every
// program takes (laid over white, as its BMP file), and beside it in a format with
// opacity where the platform has one.

// Reads the result file with what it keeps beside it; true when it has clear parts.
bool ReadTransparentResult(const std::string& resultFile, THandyBitmap& result);

// The result as a PNG file's bytes, with its opacity; empty when it has no clear parts or
// cannot be read.
std::vector<std::uint8_t> TransparentResultPng(const std::string& resultFile);

} // namespace slanter
