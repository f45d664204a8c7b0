#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace slanter {

class THandyBitmap;

// Where the encoder's bytes go, in order; false stops the encoding as a failed write.
using PngByteSink = std::function<bool(const std::uint8_t* bytes, std::size_t count)>;

struct PngEncoding {
    // Threads that compress; 0 for every core. The file is the same for every count.
    int threads = 0;
    // Asked after each piece written with the share done (0 to 1); false cancels.
    std::function<bool(double done)> keepGoing;
};

// What EncodePng answers when keepGoing stopped it.
inline constexpr const char* kPngStopped = "stopped";

// Writes picture as one PNG stream, lossless, an indexed picture with its palette. The
// rows are cut into strips of a fixed size, compressed side by side and joined into one
// zlib stream (each strip but the last ends on a byte boundary, the stream left open).
// Answers the reason for a failure, empty on success; a failure of the sink answers the
// sink's reason, which failedWrite gives.
std::string EncodePng(const THandyBitmap& picture, const PngByteSink& sink,
                      const PngEncoding& encoding = {},
                      const std::function<std::string()>& failedWrite = {});

} // namespace slanter
