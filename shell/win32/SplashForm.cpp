#include "shell/win32/SplashForm.h"

#include <memory>

#include "forms/FormTable.h"
#include "shell/General.h"
#include "shell/InfoTexts.h"
#include "shell/ScreenFit.h"
#include "shell/win32/Controls.h"
#include "shell/win32/WideText.h"
#include "shell/win32/Wnd.h"
#include "shell/win32/WorkArea.h"

namespace slanter {

namespace {

constexpr DesignedForm kForm = designed::kOpenForm;

class TOpenForm : public Wnd {
  public:
    void Arrange() {
        const DesignedItem& image = Designed(kForm, "Image1");
        const DesignedItem& title = Designed(kForm, "Label1");
        const DesignedItem& version = Designed(kForm, "Label2");
        WindowArgs args;
        args.style = WS_POPUP | WS_BORDER;
        args.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
        args.title = std::string(Designed(kForm, "OpenForm").text);
        Create(args);
        icon_ = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
        if (icon_ == nullptr)
            icon_ = LoadIconW(nullptr, IDI_APPLICATION);
        iconSide_ = GetSystemMetrics(SM_CXICON);
        const int margin = Scaled(image.x);
        const int textLeft = 2 * margin + iconSide_;
        const std::string versionText = VersionNumberText(MajorVersion, MinorVersion, Revision);
        const int width = std::max(TextWidth(Title), TextWidth(versionText));
        title_.Create({Hwnd(), Title, textLeft, Scaled(title.y), width, Scaled(title.height), 0,
                       ControlFont()});
        version_.Create({Hwnd(), versionText, textLeft, Scaled(version.y), width,
                         Scaled(version.height), 0, ControlFont()});
        SetClientSize(textLeft + width + margin, 2 * Scaled(image.y) + iconSide_);
        RECT frame{};
        GetWindowRect(Hwnd(), &frame);
        const ScreenRect place =
            SplashPlace(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                        frame.right - frame.left, frame.bottom - frame.top);
        SetWindowPos(Hwnd(), nullptr, place.left, place.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

  protected:
    void OnPaint(HDC dc, const RECT&) override {
        const DesignedItem& image = Designed(kForm, "Image1");
        DrawIconEx(dc, Scaled(image.x), Scaled(image.y), icon_, iconSide_, iconSide_, 0, nullptr,
                   DI_NORMAL);
    }

  private:
    int TextWidth(const std::string& text) const {
        HDC dc = GetDC(Hwnd());
        const HGDIOBJ old = SelectObject(dc, ControlFont());
        SIZE size{};
        const std::wstring wide = WideText(text);
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(Hwnd(), dc);
        return size.cx + 2;
    }

    HICON icon_ = nullptr;
    int iconSide_ = 32;
    Label title_;
    Label version_;
};

std::unique_ptr<TOpenForm>& Splash() {
    static std::unique_ptr<TOpenForm> splash;
    return splash;
}

} // namespace

void ShowSplash() {
    auto& splash = Splash();
    splash = std::make_unique<TOpenForm>();
    splash->Arrange();
    ShowWindow(splash->Hwnd(), SW_SHOWNOACTIVATE);
    // The message loop is not running yet while the main window is built: paint now.
    UpdateWindow(splash->Hwnd());
}

void HideSplash() {
    Splash().reset();
}

bool SplashShown() {
    return Splash() != nullptr;
}

} // namespace slanter
