#pragma once

#include <cstdint>

#include "engine/Point.h"

namespace slanter {

// A part of the preview window, in its client area's pixels.
struct PreviewPart {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const PreviewPart&, const PreviewPart&) = default;
};

// Where the preview window's parts lie. The client area is exactly the lattice alone, or
// the lattice with the picture view beside it and the outline option below it.
struct PreviewLayout {
    TPoint client;
    bool pictureView = false;
    PreviewPart view;   // the picture view, a square
    PreviewPart option; // the outline option
};

// The layout for a lattice of `lattice` pixels alone, or, with a picture view of `side`
// pixels, with it and the option `optionHeight` pixels high.
PreviewLayout LayOutPreview(TPoint lattice, bool pictureView, std::int32_t side,
                            std::int32_t optionHeight);

} // namespace slanter
