// The scroll view's bars in this process under wine: shown for what does not fit, and
// settled at once when a bar's room decides whether the other one is needed.
#include <gtest/gtest.h>
#include <windows.h>

#include "shell/win32/ScrollView.h"

namespace slanter::testing {
namespace {

bool HasBar(HWND window, DWORD bar) {
    return (GetWindowLongW(window, GWL_STYLE) & bar) != 0;
}

class ScrollViewBars : public ::testing::Test {
  protected:
    void SetUp() override {
        WindowArgs args;
        args.title = "scroll view";
        args.clientWidth = 231;
        args.clientHeight = 41;
        ASSERT_TRUE(frame.Create(args));
        ShowWindow(frame.Hwnd(), SW_SHOWNOACTIVATE);
        ASSERT_TRUE(view.Create(frame.Hwnd(), nullptr));
        MoveWindow(view.Hwnd(), 0, 0, 231, 41, TRUE);
    }

    Wnd frame;
    ScrollView view;
};

TEST_F(ScrollViewBars, ACanvasThatFitsOnlyWithoutTheBarsLosesBoth) {
    view.SetCanvasSize(1000, 1000);
    EXPECT_TRUE(HasBar(view.Hwnd(), WS_HSCROLL));
    EXPECT_TRUE(HasBar(view.Hwnd(), WS_VSCROLL));
    // Wider and higher than the room left beside bars, yet inside the whole view.
    view.SetCanvasSize(220, 30);
    EXPECT_FALSE(HasBar(view.Hwnd(), WS_HSCROLL));
    EXPECT_FALSE(HasBar(view.Hwnd(), WS_VSCROLL));
    EXPECT_EQ(view.ClientSize().cx, 231);
    EXPECT_EQ(view.ClientSize().cy, 41);
}

TEST_F(ScrollViewBars, OneBarThatTakesTheOthersRoomBringsItToo) {
    // Too wide; exactly as high as the view, so only the horizontal bar's room is missing.
    view.SetCanvasSize(400, 41);
    EXPECT_TRUE(HasBar(view.Hwnd(), WS_HSCROLL));
    EXPECT_TRUE(HasBar(view.Hwnd(), WS_VSCROLL));
    view.ScrollTo(1000, 1000);
    const SIZE client = view.ClientSize();
    EXPECT_EQ(view.ScrollPosition().x, 400 - client.cx);
    EXPECT_EQ(view.ScrollPosition().y, 41 - client.cy);
}

} // namespace
} // namespace slanter::testing
