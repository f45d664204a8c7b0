#pragma once

#include <string>

namespace slanter {

class THandyBitmap;

// The system's standard icon size.
int StandardIconSize();

// An icon file as the system shows an icon: the file's image for `size`, drawn at 24 bits
// on white in a picture of size x size pixels. False when the file holds no icon.
bool DecodeIconFile(const std::string& fileName, int size, bool onWhite, THandyBitmap& picture);

} // namespace slanter
