#pragma once

#include <new>
#include <string>

#include "bitmap/ErrorTexts.h"
#include "bitmap/HandyBitmap.h"

namespace slanter {

// Runs `read`, which answers a refusal (empty on success), so that a block the decoders'
// own buffers could not get ends it like any other refusal.
template <typename Read>
std::string RefusalOf(Read read) {
    try {
        return read();
    } catch (const std::bad_alloc&) {
        return bitmap_text::kOutOfMemory;
    }
}

// The same for a decoding into `picture`: no half-made picture stays behind a refusal.
template <typename Decode>
std::string GuardedDecoding(THandyBitmap& picture, Decode decode) {
    std::string refusal = RefusalOf(decode);
    if (!refusal.empty())
        picture.NewImage(0, 0, 24);
    return refusal;
}

} // namespace slanter
