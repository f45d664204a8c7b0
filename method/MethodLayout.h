#pragma once

namespace slanter {

// What the method window does when its client area changes size. The area keeps room
// for the two commands and a strip of the list beside them; within that, the list's
// panel takes all the rest, and the header's last column the panel's whole width, so that
// it always reaches past the right edge.

struct Extent {
    int width = 0;
    int height = 0;
    friend bool operator==(const Extent&, const Extent&) = default;
};

struct BoxBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The smallest client area: 50 pixels beside the Convert button, 4 below it.
Extent LeastClientArea(const BoxBounds& convertButton);

struct ResizeStep {
    enum class Kind {
        GrowWidth,  // set the client width to `client.width`; a further resize follows
        GrowHeight, // set the client height to `client.height`; likewise
        LayOut,     // give the panel `panel` and the last column `lastColumnWidth`
    };
    Kind kind = Kind::LayOut;
    Extent client;
    Extent panel;
    int lastColumnWidth = 0;
};

// One step, as each resize takes it: the width first, then the height, then the panel.
ResizeStep NextResizeStep(Extent client, const BoxBounds& convertButton, int panelLeft,
                          int panelTop);

} // namespace slanter
