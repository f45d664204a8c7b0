#include "shell/win32/BackgroundWork.h"

#include <algorithm>
#include <optional>

#include "shell/BackgroundThread.h"
#include "shell/win32/Controls.h"
#include "shell/win32/Wnd.h"
#include "shell/win32/WorkArea.h"

namespace slanter {

namespace {

// How long work runs before its progress shows, and how often the window looks.
constexpr ULONGLONG kQuietMilliseconds = 1000;
constexpr DWORD kPollMilliseconds = 50;
// The foot's height and the Cancel button's width, designed at 96 dots per inch.
constexpr int kFootHeight = 24;
constexpr int kCancelWidth = 75;

// The progress bar and Cancel laid over the foot of the owner's client area, above its
// other controls, for as long as the work runs.
class ProgressFoot {
  public:
    ProgressFoot(HWND owner, std::string_view cancelText, BackgroundControl& control) {
        const int dpi = WindowDpi(owner);
        RECT client{};
        GetClientRect(owner, &client);
        const int height = Scaled(kFootHeight, dpi);
        const int button = Scaled(kCancelWidth, dpi);
        const int top = static_cast<int>(client.bottom) - height;
        const int width = static_cast<int>(client.right);
        bar_.Create({owner, "", 0, top, std::max(width - button, 0), height, 0, ControlFont()});
        cancel_.Create(
            {owner, cancelText, std::max(width - button, 0), top, button, height, 0, ControlFont()},
            [&control] { control.cancelled = true; });
        for (const HWND control : {bar_.Hwnd(), cancel_.Hwnd()})
            SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    void Show(int permille) { bar_.SetPosition(permille / 10); }

  private:
    ProgressBar bar_;
    Button cancel_;
};

// Whether the mouse is over `window` or a window inside it.
bool MouseOver(HWND window) {
    POINT at{};
    GetCursorPos(&at);
    const HWND under = WindowFromPoint(at);
    return under != nullptr && (under == window || IsChild(window, under));
}

} // namespace

std::string RunInBackgroundOf(HWND owner, std::string_view cancelText,
                              const std::function<std::string(BackgroundControl&)>& work) {
    BackgroundThread worker(work);
    BackgroundControl& control = worker.Control();

    const HCURSOR busy = LoadCursorW(nullptr, IDC_APPSTARTING);
    const ULONGLONG start = GetTickCount64();
    std::optional<ProgressFoot> foot;
    bool quit = false;
    while (!worker.Finished() && !quit) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMilliseconds, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Left for the loop that waits for it.
                PostQuitMessage(static_cast<int>(message.wParam));
                quit = true;
                break;
            }
            DispatchOne(message);
        }
        if (owner == nullptr || !IsWindow(owner))
            continue;
        // The system sets the window's own cursor as the mouse moves: set again after.
        if (MouseOver(owner))
            SetCursor(busy);
        if (!foot && GetTickCount64() - start >= kQuietMilliseconds)
            foot.emplace(owner, cancelText, control);
        if (foot)
            foot->Show(control.permille.load());
    }
    foot.reset();
    if (owner != nullptr && MouseOver(owner))
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    // Cancelled first when the program ends meanwhile.
    return worker.Finish();
}

} // namespace slanter
