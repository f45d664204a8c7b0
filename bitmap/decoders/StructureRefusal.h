#pragma once

#include <string>

#include "bitmap/decoders/PictureFormat.h"

namespace slanter {

// What a file's own structure says against it, in the decoders' words, for a decoder
// that reads a cut file's missing bytes as nought and passes over damage in a JPEG file's
// data: a PNG or icon file cut short, a JPEG file cut or damaged. Empty when it says
// nothing.
std::string StructureRefusal(const std::string& fileName);

// The reason for a file that a decoder refused without naming one, from the file's bytes:
// no picture of a format `takes` holds, cut (`endReached`, or a GIF file without the byte
// that closes it), or as its structure tells; damaged otherwise.
std::string RefusalFromFile(const std::string& fileName, bool endReached,
                            bool (*takes)(PictureFormat));

} // namespace slanter
