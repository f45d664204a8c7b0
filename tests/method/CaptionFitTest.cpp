#include <gtest/gtest.h>

#include "method/CaptionFit.h"

namespace slanter {
namespace {

TEST(CaptionFit, ATextShrinksAPixelAtATimeToTheFirstSizeThatFitsButNotBelowEight) {
    // A text ten pixels wide per pixel of font height, in 95 pixels of room.
    const auto fitsIn = [](int room) { return [room](int pixels) { return 10 * pixels <= room; }; };
    EXPECT_EQ(FittedFontPixels(12, fitsIn(95)), 9);
    EXPECT_EQ(FittedFontPixels(12, fitsIn(120)), 12);
    EXPECT_EQ(FittedFontPixels(12, fitsIn(40)), 8);
}

TEST(CaptionFit, AButtonWidensToItsTextUpToTheFrameAndNeverNarrows) {
    EXPECT_EQ(FittedButtonWidth(70, 60, 100), 70);
    EXPECT_EQ(FittedButtonWidth(130, 60, 100), 100);
    EXPECT_EQ(FittedButtonWidth(50, 60, 55), 60);
}

TEST(CaptionFit, ABoxWidensAButtonToTheFrameBeforeItShrinksAnyText) {
    // Half a pixel a character for each pixel of font height; a 100-pixel box whose frame takes 14
    // beside the caption and 16 before a button's text.
    const auto width = [](const std::string& text, int pixels) {
        return static_cast<int>(text.size()) * pixels / 2;
    };
    OptionBox box;
    box.width = 100;
    box.captionMargins = 14;
    box.mark = 16;
    box.caption = std::string(15, 'c');
    box.buttons = {OptionBox::Button{std::string(10, 'a'), 8, 40},
                   OptionBox::Button{std::string(14, 'b'), 50, 40}};
    const FittedOptionBox fitted = FitOptionBox(box, 12, width);
    // The caption needs 90 of 86: at 11 pixels it takes 82.
    EXPECT_EQ(fitted.captionPixels, 11);
    // 16 + 60 = 76 fits before the frame at 99; 16 + 84 = 100 is cut to 49, where its text
    // would need a font under 5 pixels: it gets the least size.
    EXPECT_EQ(fitted.buttonWidths, (std::array<int, 2>{76, 49}));
    EXPECT_EQ(fitted.buttonPixels, (std::array<int, 2>{12, kLeastCaptionPixels}));
}

} // namespace
} // namespace slanter
