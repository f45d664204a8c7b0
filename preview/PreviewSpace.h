#pragma once

#include <cstdint>
#include <optional>

#include "engine/Point.h"

namespace slanter {

class TSlanter;

// A point or a step of the drawing plane: origin at the centre of the result tile, u along
// the arrangement, v across it, pointing up.
struct PreviewVector {
    double u = 0.0;
    double v = 0.0;
};

// What the preview reads of the engine's selected pattern.
struct PreviewPattern {
    double angle = 0.0; // AngleRadians
    double slide = 0.0; // PatternSlide
    TPoint tile;        // PatternSize: X width, Y height
    std::int32_t sourceWidth = 0;
    std::int32_t sourceHeight = 0;
    bool horizontal = true;
    bool rightUp = true;
};

// The selected pattern; with no valid selection the tile is (0, 0), which draws nothing.
PreviewPattern SelectedPreviewPattern(const TSlanter& engine);

// The turned layout in the drawing plane. Everything is worked out in extended precision
// and stored as double, as the engine does; sn, tn and the slide already carry the
// mirroring of rows that rise to the left.
struct PreviewSpace {
    double sn = 0.0;
    double cs = 0.0;
    double tn = 0.0;
    double slide = 0.0;
    double A = 0.0;  // tile length along u
    double B = 0.0;  // tile length along v
    double SA = 0.0; // picture length along u
    double SB = 0.0; // picture length along v
    PreviewVector U; // one copy to the next within a row
    PreviewVector Q; // the copy's other side
    PreviewVector V; // one row to the next
    PreviewVector T; // the tile's corner, also a copy's corner
    double R = 0.0;  // the view is -R <= u, v <= R
    bool horizontal = true;
    bool rightUp = true;
};

// Nothing when there is nothing to draw: no tile (R = 0, which the screen mapping would
// divide by), a picture side below 1, or a value that is not finite.
std::optional<PreviewSpace> MakePreviewSpace(const PreviewPattern& pattern);

} // namespace slanter
