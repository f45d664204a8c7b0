#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace slanter::cli {

// What must hold for the command line whatever its input. The bytes are read as
//   byte 0   option bits: 1 --vertical, 2 --left, 4 --smooth, 8 --sort=area,
//            16 one extra word follows, 32 --exact for patterns, 64 --segments for preview
//   byte 1   the pattern index
//   (with bit 16) one byte n, then n % 16 bytes of a word given to convert as it stands
//   the rest a file given as the picture.
// info, patterns FILE, convert (into a file that exists), the result loaded, saved and
// loaded again, and preview at the picture's size all run in this process. Each must
// answer an exit code it documents, with a text on every refusal; a refused conversion
// leaves the output's old bytes, a finished one a file that loads as the tile; no other
// file is left in the folder. Empty when that holds, otherwise what went wrong. folder
// is a scratch folder the check may fill.
std::string CheckCliRoundTrip(const std::uint8_t* data, std::size_t size,
                              const std::string& folder);

} // namespace slanter::cli
