#include "shell/win32/Wnd.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "shell/win32/DialogKeys.h"
#include "shell/win32/WideText.h"
#include "shell/win32/WorkArea.h"

namespace slanter {

namespace {

constexpr const wchar_t* kClassName = L"SlanterWnd";

std::vector<std::string> DroppedFiles(HDROP drop) {
    std::vector<std::string> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT k = 0; k < count; ++k) {
        std::wstring name(DragQueryFileW(drop, k, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, k, name.data(), static_cast<UINT>(name.size())));
        files.push_back(Utf8Text(name));
    }
    DragFinish(drop);
    return files;
}

} // namespace

Wnd::~Wnd() {
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

Wnd* Wnd::FromHandle(HWND hwnd) {
    wchar_t name[16] = {};
    if (hwnd == nullptr || GetClassNameW(hwnd, name, 16) == 0 ||
        std::wstring_view(name) != kClassName)
        return nullptr;
    return reinterpret_cast<Wnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Wnd::RegisterClassOnce() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = &Wnd::Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

bool Wnd::Create(const WindowArgs& args) {
    RegisterClassOnce();
    RECT frame{0, 0, args.clientWidth, args.clientHeight};
    AdjustWindowRectEx(&frame, args.style, args.menu != nullptr, args.exStyle);
    const std::wstring title = WideText(args.title);
    CreateWindowExW(args.exStyle, kClassName, title.c_str(), args.style, args.left, args.top,
                    frame.right - frame.left, frame.bottom - frame.top, args.owner, args.menu,
                    GetModuleHandleW(nullptr), this);
    return hwnd_ != nullptr;
}

bool Wnd::CreateChild(HWND parent, DWORD style, DWORD exStyle, int left, int top, int width,
                      int height) {
    RegisterClassOnce();
    CreateWindowExW(exStyle, kClassName, L"", style | WS_CHILD, left, top, width, height, parent,
                    nullptr, GetModuleHandleW(nullptr), this);
    return hwnd_ != nullptr;
}

LRESULT CALLBACK Wnd::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Wnd* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Wnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        self->dpi_ = WindowDpi(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Wnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        self->hwnd_ = nullptr;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT Wnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd_, &paint);
        OnPaint(dc, paint.rcPaint);
        EndPaint(hwnd_, &paint);
        return 0;
    }
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_ACTIVATE:
        // As a dialog does: the control that had the focus has it again when the window
        // comes back, so the keys go on where they were.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (const HWND focus = GetFocus(); focus != nullptr && IsChild(hwnd_, focus))
                lastFocus_ = focus;
        } else if (HIWORD(wParam) == 0 && lastFocus_ != nullptr && IsChild(hwnd_, lastFocus_) &&
                   IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_)) {
            SetFocus(lastFocus_);
            return 0;
        }
        break;
    case WM_DROPFILES:
        OnDropFiles(DroppedFiles(reinterpret_cast<HDROP>(wParam)));
        return 0;
    case WM_COMMAND:
        if (RunCommand(LOWORD(wParam), HIWORD(wParam)))
            return 0;
        break;
    case WM_DRAWITEM:
        if (OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result))
            return result;
        break;
    }
    case WM_HSCROLL:
        OnScroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        OnScroll(SB_VERT, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_DPICHANGED: {
        const int previous = dpi_;
        dpi_ = HIWORD(wParam) > 0 ? HIWORD(wParam) : previous;
        ScaleControls(previous, dpi_);
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        OnDpiChanged(previous);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Wnd::ScaleControls(int from, int to) {
    if (from == to || from <= 0)
        return;
    std::vector<HWND> children;
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    // One new font for each font the controls share now.
    std::vector<std::pair<HFONT, HFONT>> replaced;
    std::vector<GdiObject<HFONT>> fonts;
    for (HWND child : children) {
        RECT bounds{};
        GetWindowRect(child, &bounds);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&bounds), 2);
        MoveWindow(child, MulDiv(bounds.left, to, from), MulDiv(bounds.top, to, from),
                   MulDiv(bounds.right - bounds.left, to, from),
                   MulDiv(bounds.bottom - bounds.top, to, from), TRUE);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
        if (font == nullptr)
            continue;
        auto found = std::find_if(replaced.begin(), replaced.end(),
                                  [font](const auto& pair) { return pair.first == font; });
        if (found == replaced.end()) {
            LOGFONTW description{};
            GetObjectW(font, sizeof(description), &description);
            description.lfHeight = MulDiv(description.lfHeight, to, from);
            fonts.emplace_back(CreateFontIndirectW(&description));
            replaced.emplace_back(font, fonts.back().Get());
            found = replaced.end() - 1;
        }
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(found->second), TRUE);
    }
    // The fonts of the scale before are no control's any more.
    scaledFonts_ = std::move(fonts);
}

void Wnd::SetText(std::string_view text) {
    SetWindowTextW(hwnd_, WideText(std::string(text)).c_str());
}

std::string Wnd::Text() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), int(text.size()))));
    return Utf8Text(text);
}

bool Wnd::IsVisible() const {
    return hwnd_ != nullptr && IsWindowVisible(hwnd_);
}

void Wnd::Show(int command) {
    ShowWindow(hwnd_, command);
}

void Wnd::Hide() {
    ShowWindow(hwnd_, SW_HIDE);
}

void Wnd::BringToFront() {
    if (IsIconic(hwnd_))
        ShowWindow(hwnd_, SW_RESTORE);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    BringWindowToTop(hwnd_);
}

SIZE Wnd::ClientSize() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return {client.right, client.bottom};
}

void Wnd::SetClientSize(int width, int height) {
    // The menu bar may wrap at the new width, so the frame is measured, not computed.
    for (int pass = 0; pass < 2; ++pass) {
        RECT window{};
        GetWindowRect(hwnd_, &window);
        const SIZE client = ClientSize();
        SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + width - client.cx,
                     window.bottom - window.top + height - client.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Wnd::Close() {
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

int Wnd::NewCommand(std::function<void()> handler) {
    return NewControlCommand([handler = std::move(handler)](int) {
        if (handler)
            handler();
    });
}

int Wnd::NewControlCommand(std::function<void(int code)> handler) {
    const int id = nextCommand_++;
    commands_[id] = std::move(handler);
    return id;
}

bool Wnd::RunCommand(int id, int code) {
    const auto found = commands_.find(id);
    if (found == commands_.end() || !found->second)
        return false;
    // A copy: the handler may replace the commands of this window.
    const std::function<void(int)> handler = found->second;
    handler(code);
    return true;
}

void DispatchOne(MSG& message) {
    if (message.message == WM_KEYDOWN || message.message == WM_SYSCHAR) {
        // A focused button's Enter is its own; then the window's keys; then the keys that
        // move between controls.
        if (Wnd* top = Wnd::FromHandle(GetAncestor(message.hwnd, GA_ROOT));
            top != nullptr && IsWindowEnabled(top->Hwnd()) &&
            (PressFocusedButton(top->Hwnd(), message) ||
             (message.message == WM_KEYDOWN && top->OnKeyDown(message.wParam)) ||
             TakeDialogKey(top->Hwnd(), message)))
            return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void ProcessPlatformMessages() {
    // Bounded: a window that keeps asking to be painted must not hold the caller (a
    // conversion between two columns) here for ever.
    const ULONGLONG deadline = GetTickCount64() + 50;
    MSG message;
    while (GetTickCount64() < deadline && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the loop that waits for it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        DispatchOne(message);
    }
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchOne(message);
    return static_cast<int>(message.wParam);
}

} // namespace slanter
