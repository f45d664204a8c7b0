#pragma once

#include <string>

class QImage;

namespace slanter {

class THandyBitmap;

// The picture's pixels as its BMP file holds them, as a picture Qt writes: an indexed
// record as 8 bits with its palette, a 16- or 24-bit one as 24-bit colours (16-bit
// channels widened from 5 bits as BMP decoders widen them). Null without memory.
QImage ToImage(const THandyBitmap& picture);

} // namespace slanter
