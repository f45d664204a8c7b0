#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace slanter {

// One strip of a zlib stream's data compressed as raw DEFLATE into out. Every strip but
// the last ends on a byte boundary with the stream left open, so that the strips laid end
// to end in order make one stream; a strip's bytes depend on its data alone, whichever
// thread makes them. False when the compressor failed, for want of memory.
bool DeflateStrip(const std::uint8_t* data, std::size_t count, bool last,
                  std::vector<std::uint8_t>& out);

// The zlib stream's checksum and PNG's, from the library that compresses.
std::uint32_t Adler32(std::uint32_t adler, const std::uint8_t* data, std::size_t count);
std::uint32_t Crc32(std::uint32_t crc, const std::uint8_t* data, std::size_t count);

} // namespace slanter
