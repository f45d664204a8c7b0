#include "shell/win32/DialogKeys.h"

#include <cwctype>
#include <string>

#include "shell/AccessKey.h"

namespace slanter {

namespace {

constexpr int kMostControls = 256;

LRESULT DialogCode(HWND control, const MSG& message) {
    return SendMessageW(control, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
}

bool IsRadio(HWND control) {
    return control != nullptr && (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON);
}

// The focused control of `window`, or null when the focus is elsewhere.
HWND FocusIn(HWND window) {
    const HWND focus = GetFocus();
    return focus != nullptr && IsChild(window, focus) ? focus : nullptr;
}

// The next (or previous) option button of `from`'s group, skipping other controls of it.
HWND NextRadio(HWND window, HWND from, bool previous) {
    // Bounded: the system's walk round a group is trusted to come back, not relied on.
    int steps = 0;
    for (HWND next = GetNextDlgGroupItem(window, from, previous);
         next != nullptr && next != from && ++steps < kMostControls;
         next = GetNextDlgGroupItem(window, next, previous))
        if (IsRadio(next))
            return next;
    return nullptr;
}

// The chosen button of the option group `radio` is in, else `radio` itself.
HWND ChosenOfGroup(HWND window, HWND radio) {
    int steps = 0;
    for (HWND at = radio; at != nullptr && ++steps < kMostControls;) {
        if (SendMessageW(at, BM_GETCHECK, 0, 0) == BST_CHECKED)
            return at;
        at = NextRadio(window, at, false);
        if (at == radio)
            break;
    }
    return radio;
}

void MoveTab(HWND window, HWND focus, bool previous) {
    // From an option button the way goes on from its group's last button (Shift+Tab: its
    // first), so that the key leaves the group instead of landing on another of its buttons.
    const auto groupHead = [](HWND at) { return GetWindowLongW(at, GWL_STYLE) & WS_GROUP; };
    if (IsRadio(focus) && previous) {
        while (!groupHead(focus) && IsRadio(GetWindow(focus, GW_HWNDPREV)))
            focus = GetWindow(focus, GW_HWNDPREV);
    } else if (IsRadio(focus)) {
        for (HWND next = GetWindow(focus, GW_HWNDNEXT); IsRadio(next) && !groupHead(next);
             next = GetWindow(next, GW_HWNDNEXT))
            focus = next;
    }
    HWND next = GetNextDlgTabItem(window, focus, previous);
    if (next == nullptr)
        return;
    if (IsRadio(next))
        next = ChosenOfGroup(window, next);
    SetFocus(next);
}

// A label that shows its text as it is, '&' included (a file name, a figure).
bool ShowsAmpersands(HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    return lstrcmpiW(className, L"Static") == 0 &&
           (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX);
}

bool PressAccessKey(HWND window, wchar_t key) {
    key = static_cast<wchar_t>(std::towupper(key));
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child) || !IsWindowEnabled(child))
            continue;
        std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
        caption.resize(static_cast<std::size_t>(
            GetWindowTextW(child, caption.data(), static_cast<int>(caption.size()))));
        if (AccessKey(caption) != key)
            continue;
        const LRESULT code = SendMessageW(child, WM_GETDLGCODE, 0, 0);
        if (code & DLGC_BUTTON) {
            SetFocus(child);
            // A chosen option button is not chosen again.
            if (!(code & DLGC_RADIOBUTTON) || SendMessageW(child, BM_GETCHECK, 0, 0) != BST_CHECKED)
                SendMessageW(child, BM_CLICK, 0, 0);
        } else if ((code & DLGC_STATIC) && !ShowsAmpersands(child)) {
            // A label or group box hands the key to the control after it.
            MoveTab(window, child, false);
        } else {
            // Text, such as an edit's, that only looks like a caption.
            continue;
        }
        return true;
    }
    return false;
}

} // namespace

bool PressFocusedButton(HWND window, const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN)
        return false;
    const HWND focus = FocusIn(window);
    if (focus == nullptr ||
        !(DialogCode(focus, message) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        return false;
    SendMessageW(focus, BM_CLICK, 0, 0);
    return true;
}

bool TakeDialogKey(HWND window, const MSG& message) {
    if (message.message == WM_SYSCHAR)
        return PressAccessKey(window, static_cast<wchar_t>(message.wParam));
    if (message.message != WM_KEYDOWN)
        return false;
    // Ctrl and Alt with these keys belong to the windows' own commands.
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    const HWND focus = FocusIn(window);
    const LRESULT code = focus != nullptr ? DialogCode(focus, message) : 0;
    if (code & DLGC_WANTALLKEYS)
        return false;
    switch (message.wParam) {
    case VK_TAB:
        if (code & DLGC_WANTTAB)
            return false;
        MoveTab(window, focus, GetKeyState(VK_SHIFT) < 0);
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
        // Only an option group's buttons move among themselves; elsewhere the arrows are
        // the window's or the control's.
        if ((code & DLGC_WANTARROWS) || !(code & DLGC_RADIOBUTTON))
            return false;
        const HWND next =
            NextRadio(window, focus, message.wParam == VK_LEFT || message.wParam == VK_UP);
        if (next != nullptr) {
            SetFocus(next);
            SendMessageW(next, BM_CLICK, 0, 0);
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace slanter
