#include "method/CaptionFit.h"

#include <algorithm>

namespace slanter {

int FittedFontPixels(int pixels, const std::function<bool(int pixels)>& fits) {
    while (!fits(pixels) && pixels > kLeastCaptionPixels)
        --pixels;
    return pixels;
}

int FittedButtonWidth(int needed, int width, int room) {
    return needed > width ? std::min(needed, room) : width;
}

FittedOptionBox FitOptionBox(const OptionBox& box, int pixels,
                             const std::function<int(const std::string& text, int pixels)>& width) {
    const auto fontFor = [&](const std::string& text, int room) {
        return FittedFontPixels(pixels, [&](int size) { return width(text, size) <= room; });
    };
    FittedOptionBox fitted;
    fitted.captionPixels = fontFor(box.caption, box.width - box.captionMargins);
    for (std::size_t k = 0; k < box.buttons.size(); ++k) {
        const OptionBox::Button& button = box.buttons[k];
        // Up to the frame, which is a pixel wide.
        const int room = box.width - 1 - button.left;
        const int needed = box.mark + width(button.text, pixels);
        fitted.buttonWidths[k] = FittedButtonWidth(needed, button.width, room);
        fitted.buttonPixels[k] = fontFor(button.text, fitted.buttonWidths[k] - box.mark);
    }
    return fitted;
}

} // namespace slanter
