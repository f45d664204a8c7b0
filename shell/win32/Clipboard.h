#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bitmap/PackedDib.h"

namespace slanter {

// The bitmap on the clipboard, or nothing when it holds none.
std::optional<PackedDib> ClipboardDib();
// Puts the bitmap on the clipboard, its colour table with it.
void PutClipboardDib(const PackedDib& dib);

// Writes a clipboard bitmap as a BMP file the program's own reader takes: a picture of
// up to 256 colours with a 40-byte header as it is, with its colour table; any other
// drawn at 24 bits. False when the bitmap is damaged or the file cannot be written.
bool SaveDibAsBmp(const PackedDib& dib, const std::string& fileName);
// The BMP file's bitmap without its file header; empty when it cannot be read.
PackedDib DibOfBmpFileNamed(const std::string& fileName);

} // namespace slanter
