// Moving between the windows' controls with the keyboard, as the message loop gets the keys.
#include <windows.h>

#include "engine/Slanter.h"
#include "method/win32/MethodForm.h"
#include "preview/win32/PreviewForm.h"
#include "shell/win32/PictureSizeDialog.h"
#include "support/PatternedBitmap.h"
#include "tests/shell/win32/ProgramFixture.h"

namespace slanter::testing {
namespace {

void HoldShift(bool held) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_SHIFT] = held ? 0x80 : 0;
    SetKeyboardState(state);
}

// A key pressed and let go on the focused control, through the message loop's dispatch.
void Press(UINT key, bool shift = false) {
    HoldShift(shift);
    MSG down{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
    DispatchOne(down);
    MSG up{GetFocus(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001), 0, {}};
    DispatchOne(up);
    HoldShift(false);
    ProcessPendingMessages();
}

// Gives `control` the focus and waits until it keeps it: a window shown just before may be
// activated by the window manager a moment later, taking the focus with it.
void FocusOn(const Control& control) {
    for (int steady = 0, tries = 0; steady < 5 && tries < 200; ++tries) {
        if (GetFocus() == control.Hwnd()) {
            ++steady;
        } else {
            steady = 0;
            SetForegroundWindow(GetAncestor(control.Hwnd(), GA_ROOT));
            SetFocus(control.Hwnd());
        }
        ProcessPendingMessages();
        Sleep(10);
    }
}

class DialogKeys : public ProgramFixture {};

TEST_F(DialogKeys, TabReachesTheCommandsOfTheMethodWindowAndTheyTakeTheirKeys) {
    Main().Presenter().OpenFile(Write("keys.bmp", PatternedBitmap(24, 40, 30)));
    TMethodForm& form = *MethodForm;
    form.RadioButton2.Click();
    form.ListBox1.Select(2);
    FocusOn(form.ListBox1);
    ASSERT_EQ(GetFocus(), form.ListBox1.Hwnd());
    // Enter in the list previews, as before.
    Press(VK_RETURN);
    EXPECT_TRUE(PreviewForm->IsVisible());
    FocusOn(form.ListBox1);
    // Into an option group at its chosen button.
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), form.RadioButton2.Hwnd());
    for (int k = 0; k < 8 && GetFocus() != form.Button2.Hwnd(); ++k)
        Press(VK_TAB);
    ASSERT_EQ(GetFocus(), form.Button2.Hwnd());
    Press(VK_TAB, true);
    EXPECT_EQ(GetFocus(), form.Button1.Hwnd());
    Press(VK_TAB);
    Press(VK_SPACE);
    EXPECT_EQ(form.ResultWindows().size(), 1u);
    // Enter on the focused Convert button converts rather than previews.
    FocusOn(form.Button2);
    Press(VK_RETURN);
    EXPECT_EQ(form.ResultWindows().size(), 2u);
    // Back in the window, the keys go on where they were.
    FocusOn(form.Button2);
    SetActiveWindow(Main().Hwnd());
    SetActiveWindow(form.Hwnd());
    EXPECT_EQ(GetFocus(), form.Button2.Hwnd());
    // The arrows choose within an option group.
    FocusOn(form.RadioButton2);
    Press(VK_UP);
    EXPECT_TRUE(form.RadioButton1.IsChecked());
    EXPECT_TRUE(State().PatternEngine.Horizontal());
}

TEST_F(DialogKeys, AnAccessKeyPressesItsControl) {
    Main().Presenter().OpenFile(Write("access.bmp", PatternedBitmap(24, 40, 30)));
    MethodForm->ListBox1.Select(1);
    MethodForm->Button1.Click();
    ProcessPendingMessages();
    ASSERT_TRUE(PreviewForm->CheckBox1.IsVisible());
    const bool outlined = PreviewForm->CheckBox1.IsChecked();
    MSG key{PreviewForm->Hwnd(), WM_SYSCHAR, 'o', static_cast<LPARAM>(0x20000001), 0, {}};
    DispatchOne(key);
    EXPECT_NE(PreviewForm->CheckBox1.IsChecked(), outlined);
}

TEST(DialogKeysOfTheSizeDialog, EnterTakesTheSizeAndEscLeavesIt) {
    for (const UINT key : {VK_RETURN, VK_ESCAPE}) {
        TPictureSizeDialog dialog;
        ASSERT_TRUE(dialog.Create(nullptr, false, {60, 40}, {30, 20}));
        // Waiting for the dialog's own loop.
        PostMessageW(dialog.WidthEdit.Hwnd(), WM_KEYDOWN, key, 1);
        const std::optional<TPoint> chosen = dialog.RunModal();
        EXPECT_EQ(chosen, key == VK_RETURN ? std::optional(TPoint{30, 20}) : std::nullopt);
    }
}

} // namespace
} // namespace slanter::testing
