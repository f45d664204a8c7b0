#pragma once

namespace slanter {

class THandyBitmap;

// A colour picture that holds at most 256 colours as an indexed one, its palette the
// colours in the order they are first met from the bottom row up. False, with the picture
// untouched, when it holds more. For the platform decoders that give an indexed file
// (GIF, compressed BMP) as colours, so that a plain conversion keeps 8 bits.
bool MakeIndexed(THandyBitmap& picture);

} // namespace slanter
