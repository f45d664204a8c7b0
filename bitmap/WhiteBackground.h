#pragma once

namespace slanter {

// One 8-bit channel of a colour with the given opacity (0..255) laid over white, rounded
// to the nearest level: transparent pictures are shown and converted as on white paper.
constexpr int OverWhite(int channel, int alpha) {
    return (channel * alpha + 255 * (255 - alpha) + 127) / 255;
}

} // namespace slanter
