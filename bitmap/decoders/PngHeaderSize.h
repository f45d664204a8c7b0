#pragma once

#include <string>

namespace slanter {

// Whether the file is a PNG file whose header claims more pixels than a record holds, read
// from its first bytes alone: for a decoder (the Windows Imaging Component's) that takes
// the memory of all pixels as soon as it is asked for the first frame. False for other
// files and for sizes a record holds.
bool PngHeaderTooLarge(const std::string& fileName);

} // namespace slanter
