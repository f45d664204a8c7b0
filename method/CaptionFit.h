#pragma once

#include <functional>

namespace slanter {

// The method window's group boxes keep their designed bounds, their captions and option
// buttons their texts; with the fonts at hand a text may not fit. These are the rules both
// programs fit them by.

// The smallest font a text is given; smaller would be unreadable.
inline constexpr int kLeastCaptionPixels = 8;
// What must show right of a group box's caption for the frame to read as one: the
// caption's padding, two pixels of the top line, the rounded corner and the right edge.
inline constexpr int kCaptionFrameTail = 6;

// The font size a text takes: `pixels` where `fits` holds there, else a pixel smaller at
// a time until it holds or the least size is reached.
int FittedFontPixels(int pixels, const std::function<bool(int pixels)>& fits);

// An option button's width: widened to what its text needs, but not past `room` (up to its
// box's frame); a button wide enough keeps its width.
int FittedButtonWidth(int needed, int width, int room);

} // namespace slanter
