#pragma once

#include <array>
#include <functional>
#include <string>

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

// A group box and its two option buttons as a platform measures them, in its pixels.
struct OptionBox {
    int width = 0;
    // What the frame takes beside the caption.
    int captionMargins = 0;
    // The check mark and the gap before a button's text.
    int mark = 0;
    std::string caption;
    struct Button {
        std::string text;
        int left = 0; // from the box's left edge
        int width = 0;
    };
    std::array<Button, 2> buttons;
};

struct FittedOptionBox {
    int captionPixels = 0;
    std::array<int, 2> buttonWidths{};
    std::array<int, 2> buttonPixels{};
};

// How a box whose texts are `pixels` high keeps them whole: a button widened up to the
// frame, a text that still does not fit given a smaller font. `width` is how wide the
// platform draws a text at a font size.
FittedOptionBox FitOptionBox(const OptionBox& box, int pixels,
                             const std::function<int(const std::string& text, int pixels)>& width);

} // namespace slanter
