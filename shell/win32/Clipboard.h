#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bitmap/PackedDib.h"

namespace slanter {

class THandyBitmap;

// The bitmap on the clipboard, or nothing when it holds none.
std::optional<PackedDib> ClipboardDib();
// Puts the bitmap on the clipboard, its colour table with it, and a 32-bit bitmap of
// straight opacity (CF_DIBV5) beside it when dibV5 is not empty, for the programs that
// take a picture's clear parts.
void PutClipboardDibs(const PackedDib& dib, const PackedDib& dibV5);

// Writes a clipboard bitmap as a BMP file the program's own reader takes: a picture of
// up to 256 colours with a 40-byte header as it is, with its colour table; any other
// drawn at 24 bits. False when the bitmap is damaged or the file cannot be written.
bool SaveDibAsBmp(const PackedDib& dib, const std::string& fileName);
// The BMP file's bitmap without its file header; empty when it cannot be read.
PackedDib DibOfBmpFileNamed(const std::string& fileName);

} // namespace slanter
