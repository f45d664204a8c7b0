#pragma once

namespace slanter {

// The keys that move a scrolled view to its edges, as in any document viewer.
enum class ViewKey {
    Home,        // to the left edge
    End,         // to the right edge
    ControlHome, // to the top left corner
    ControlEnd,  // to the bottom right corner
};

// A scrolled view's position: how far it is scrolled to the right and down.
struct ScrollPosition {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScrollPosition&, const ScrollPosition&) = default;
};

// Where the key takes a view scrolled to `now` that can be scrolled as far as `last`. A
// view that cannot be scrolled sideways takes Home and End up and down instead, so that the
// keys do something on a tall picture too.
ScrollPosition ViewKeyTarget(ViewKey key, ScrollPosition now, ScrollPosition last);

} // namespace slanter
