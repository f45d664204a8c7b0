#pragma once

#include <cstdint>
#include <vector>

#include "preview/PreviewSpace.h"

namespace slanter {

class TSlanter;

// Colour values: red in the low byte, blue in the third.
inline constexpr std::uint32_t kPreviewWhite = 0xFFFFFF;
inline constexpr std::uint32_t kPreviewRed = 0x0000FF;
inline constexpr std::uint32_t kPreviewBlack = 0x000000;

// The preview window's image is 201 x 201 pixels.
inline constexpr std::int32_t kPreviewImageSide = 201;

// One pen stroke in image pixels, (0, 0) the top-left pixel: the pen moves from (x1, y1)
// to (x2, y2), drawing the first pixel and not the last, so that a path drawn as strokes
// end to start sets each of its corners once. Strokes may run far outside the image,
// which cuts them off.
struct PreviewSegment {
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
    std::int32_t x2 = 0;
    std::int32_t y2 = 0;
    std::uint32_t colour = kPreviewBlack;
    friend bool operator==(const PreviewSegment&, const PreviewSegment&) = default;
};

// The whole picture: the image filled with background, then the strokes in order (the red
// lattice, then the black tile outline, which is drawn over it).
struct PreviewDrawing {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t background = kPreviewWhite;
    std::vector<PreviewSegment> segments;
    // False only when the lattice walk ran out of steps and the lattice was cut short.
    bool complete = true;
};

// The preview of a pattern on an image of width x height pixels. With no tile (no pattern
// selected) or an empty image: the white image alone.
PreviewDrawing ComputePreviewDrawing(const PreviewPattern& pattern, std::int32_t width,
                                     std::int32_t height);

// The preview of the engine's selected pattern on the preview window's image.
PreviewDrawing ComputePreviewDrawing(const TSlanter& engine, std::int32_t width = kPreviewImageSide,
                                     std::int32_t height = kPreviewImageSide);

} // namespace slanter
