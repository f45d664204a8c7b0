#pragma once

#include <string>

#include "shell/PlacementFit.h"

namespace slanter {

// How a window was shown when its placement was stored.
enum class WindowShow { Normal, Minimized, Maximized };

// A window's placement as its settings section keeps it: the bounds it returns to when
// restored, and how it was shown.
struct StoredPlacement {
    PlacementRect normal;
    WindowShow show = WindowShow::Normal;
};

// Stores `placement` in section `section` (the form's name) as "Left", "Top" and "State";
// a window the user can size stores "Width" and "Height" too, one of a fixed size keeps
// its designed size.
void WritePlacement(const std::string& section, const StoredPlacement& placement, bool sizeable);

// The placement stored in section `section`; each value that is missing or does not
// convert is `current`'s, and so is the size of a window the user cannot size.
StoredPlacement ReadPlacement(const std::string& section, const PlacementRect& current,
                              bool sizeable);

} // namespace slanter
