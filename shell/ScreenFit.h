#pragma once

namespace slanter {

// A rectangle of screen pixels: its top-left corner and its size.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// Where a window whose outer frame is `frame` goes so that all of it, title bar and
// scroll bars too, lies on the usable area `area` of its screen: no larger than the area,
// and moved no further than it must be to lie inside it. An empty area changes nothing.
ScreenRect FitInside(ScreenRect frame, ScreenRect area);

// Where the splash window, its frame `width` x `height`, opens on a screen of
// `screenWidth` x `screenHeight`: its top-left corner a third of the free space from the
// screen's, not in the middle. Answers the corner; the size stays.
ScreenRect SplashPlace(int screenWidth, int screenHeight, int width, int height);

} // namespace slanter
