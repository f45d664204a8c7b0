#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

#include "shell/PendingMessages.h"
#include "shell/win32/GdiObjects.h"

namespace slanter {

// What a window of ours is made from: its caption, styles, owner, menu and the size of
// its client area (the designed forms give client sizes) at its top-left position.
struct WindowArgs {
    std::string title;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    HWND owner = nullptr;
    HMENU menu = nullptr;
    int left = CW_USEDEFAULT;
    int top = CW_USEDEFAULT;
    int clientWidth = 0;
    int clientHeight = 0;
};

// The base of every window of ours: it owns its window handle (destroyed with the object)
// and its window procedure dispatches the messages to the virtual handlers below.
// Commands (menu entries, control notifications) go to the function registered for
// their identifier.
class Wnd {
  public:
    Wnd() = default;
    virtual ~Wnd();
    Wnd(const Wnd&) = delete;
    Wnd& operator=(const Wnd&) = delete;

    // The Wnd behind a window handle of ours; null for any other window.
    static Wnd* FromHandle(HWND hwnd);

    // A top-level (owned) window.
    bool Create(const WindowArgs& args);
    // A child window of ours inside `parent` at the given client bounds.
    bool CreateChild(HWND parent, DWORD style, DWORD exStyle, int left, int top, int width,
                     int height);

    HWND Hwnd() const { return hwnd_; }
    void SetText(std::string_view text);
    std::string Text() const;
    bool IsVisible() const;
    void Show(int command = SW_SHOW);
    void Hide();
    // Shown, raised and active.
    void BringToFront();
    // The client area's size.
    SIZE ClientSize() const;
    // Sizes the window so that its client area is width x height, where it stands.
    void SetClientSize(int width, int height);
    // Sends WM_CLOSE, as the user's close does.
    void Close();

    // A new command identifier of this window, and its handler.
    int NewCommand(std::function<void()> handler);
    // The same for a control, whose handler hears the notification code.
    int NewControlCommand(std::function<void(int code)> handler);
    // Runs the handler of `id` as the command would; false when there is none.
    bool RunCommand(int id, int code = 0);

  protected:
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    virtual void OnPaint(HDC /*dc*/, const RECT& /*dirty*/) {}
    virtual void OnSize(int /*width*/, int /*height*/) {}
    // The user or Close asks the window to close; windows of ours hide by default.
    virtual void OnClose() { Hide(); }
    virtual void OnDropFiles(const std::vector<std::string>& /*files*/) {}
    virtual bool OnDrawItem(DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual void OnScroll(int /*bar*/, int /*code*/) {}
    virtual void OnMouseWheel(int /*delta*/) {}
    // The window moved to a monitor of another scale, from `previous` dots per inch to
    // Dpi(): it has taken the size the system suggests, and its controls have been moved,
    // sized and given fonts at the new scale; what the window lays out itself follows here.
    virtual void OnDpiChanged(int /*previous*/) {}
    // The window's dots per inch now.
    int Dpi() const { return dpi_; }

  public:
    // A key pressed anywhere in the window, before the control with the focus sees it;
    // true when the window took it.
    virtual bool OnKeyDown(WPARAM /*key*/) { return false; }

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void RegisterClassOnce();
    void ScaleControls(int from, int to);

    HWND hwnd_ = nullptr;
    std::map<int, std::function<void(int code)>> commands_;
    int nextCommand_ = 1000;
    int dpi_ = 96;
    // The control that had the focus when the window was last left.
    HWND lastFocus_ = nullptr;
    // The controls' fonts made for the present scale.
    std::vector<GdiObject<HFONT>> scaledFonts_;
};

// Dispatches one message as the message loop does: Enter on a focused push button presses
// it, other keys go to their window's OnKeyDown first, then Tab, the arrows and the access
// keys move between the window's controls as in a dialog.
void DispatchOne(MSG& message);
// The message loop, until WM_QUIT; answers its code.
int RunMessageLoop();

} // namespace slanter
