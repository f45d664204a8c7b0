#pragma once

#include <string>

class QImage;

namespace slanter {

class THandyBitmap;

// A decoded picture as the working picture: 8 bits with its colour table when it is
// indexed with 1 to 256 colours, otherwise 24 bits; every colour laid over white by its
// opacity. `indexedFile` says that the file stores palette indices although the platform
// gave colours: then at most 256 colours make an 8-bit picture too. Row 0 of the record is
// the picture's bottom row. Answers the reason for a failure (a picture the record cannot
// hold), empty on success.
std::string ToWorkingPicture(const QImage& image, THandyBitmap& picture, bool indexedFile);

// The picture's pixels as its BMP file holds them, as a picture Qt writes: an indexed
// record as 8 bits with its palette, a 16- or 24-bit one as 24-bit colours (16-bit
// channels widened from 5 bits as BMP decoders widen them). Null without memory.
QImage ToImage(const THandyBitmap& picture);

} // namespace slanter
