#include "shell/main/win32/MainForm.h"

#include <algorithm>
#include <set>
#include <utility>

#include "bitmap/Checkerboard.h"
#include "forms/FormTable.h"
#include "shell/LaunchState.h"
#include "shell/RecentFiles.h"
#include "shell/win32/FormPlacement.h"
#include "shell/win32/SplashForm.h"
#include "shell/win32/WideText.h"
#include "shell/win32/WorkArea.h"

namespace slanter {

TMainForm* MainForm = nullptr;

namespace {

constexpr DesignedForm kForm = designed::kMainForm;
// The client area is never narrower, nor narrower than its menu bar needs.
constexpr int kLeastClientWidth = 100;

int ShowCommandOf(int launchShowCommand) {
    switch (LaunchStateOf(launchShowCommand)) {
    case LaunchState::Minimized:
        return SW_SHOWMINIMIZED;
    case LaunchState::Maximized:
        return SW_SHOWMAXIMIZED;
    case LaunchState::Normal:
        break;
    }
    return SW_SHOWNORMAL;
}

} // namespace

TMainForm::TMainForm(ProgramState& state, std::string commandLine)
    : presenter_(state, services_, *this, std::move(commandLine)) {}

TMainForm::~TMainForm() = default;

void TMainForm::ShowSplash() {
    slanter::ShowSplash();
}

void TMainForm::HideSplash() {
    slanter::HideSplash();
}

bool TMainForm::Build(bool eraseSettingsCommand) {
    std::set<std::string> leftOut;
    if (!eraseSettingsCommand)
        leftOut.insert("KHelpDeleteRegistry");
    menu_ = std::make_unique<DesignedMenu>(kForm, "MainMenu1", *this, leftOut);
    const DesignedItem& designed = Designed(kForm, "MainForm");
    WindowArgs args;
    args.title = std::string(designed.text);
    args.menu = menu_->Bar();
    args.left = Scaled(designed.x);
    args.top = Scaled(designed.y);
    args.clientWidth = Scaled(designed.width);
    args.clientHeight = Scaled(designed.height);
    args.exStyle = WS_EX_ACCEPTFILES;
    if (!Create(args))
        return false;
    services_.SetOwner(Hwnd());
    clientArea_.Create(Hwnd(), [this](HDC dc, const RECT& dirty) {
        picture_.Draw(dc, {dirty.left, dirty.top}, dirty);
    });
    const SIZE client = ClientSize();
    OnSize(client.cx, client.cy);
    for (const MainCommand& command : MainMenuCommands())
        menu_->SetHandler(command.item, [this, run = command.run] { (presenter_.*run)(); });
    return true;
}

void TMainForm::SetCaption(std::string_view item, const std::string& text) {
    menu_->SetText(item, text);
}

void TMainForm::RestorePlacement() {
    RestoreFormPlacement(Hwnd(), "MainForm");
}

void TMainForm::SavePlacement() {
    SaveFormPlacement(Hwnd(), "MainForm");
}

void TMainForm::CloseLater() {
    PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
}

void TMainForm::OnSize(int width, int height) {
    if (clientArea_.Hwnd() != nullptr)
        MoveWindow(clientArea_.Hwnd(), 0, 0, width, height, TRUE);
}

bool TMainForm::OnKeyDown(WPARAM key) {
    // The system's own keys for the commands that mean the same.
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0)
        return false;
    const char* command = key == 'O' ? "KFileOpen" : key == 'V' ? "KFileClipboard" : nullptr;
    if (command != nullptr)
        RunCommand(menu_->Id(command));
    return command != nullptr;
}

void TMainForm::OnClose() {
    if (presenter_.Close() != MainPresenter::CloseAnswer::Closed)
        return;
    if (Closed)
        Closed();
}

void TMainForm::OnDropFiles(const std::vector<std::string>& files) {
    presenter_.OpenDropped(files);
}

void TMainForm::ShowRecentFiles(const std::vector<std::string>& captions) {
    HMENU file = menu_->Menu("KFile");
    // The commands are made once; the menu holds those in use, the separator last.
    if (recentIds_.empty()) {
        for (std::size_t k = 0; k < kMostRecentFiles; ++k)
            recentIds_.push_back(NewCommand([this, k] { presenter_.OpenRecent(k); }));
        recentIds_.push_back(NewCommand({}));
    }
    for (const int id : recentIds_)
        DeleteMenu(file, static_cast<UINT>(id), MF_BYCOMMAND);
    if (captions.empty())
        return;
    const UINT exitId = static_cast<UINT>(menu_->Id("KFileExit"));
    for (std::size_t k = 0; k < captions.size() && k < kMostRecentFiles; ++k)
        InsertMenuW(file, exitId, MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(recentIds_[k]),
                    WideText(captions[k]).c_str());
    InsertMenuW(file, exitId, MF_BYCOMMAND | MF_SEPARATOR, static_cast<UINT_PTR>(recentIds_.back()),
                nullptr);
}

std::string TMainForm::ShowPicture(const std::string&, const THandyBitmap& picture) {
    // The picture our reader read from the working file, so that the window shows what is
    // converted: nothing for a file it refused.
    THandyBitmap checkered;
    picture_ =
        picture.biWidth() > 0 ? ScreenPicture(PictureToShow(picture, checkered)) : ScreenPicture();
    FitToImage();
    return {};
}

int TMainForm::MenuBarWidth() const {
    // The items' own widths add up to the bar's on one line, however it wraps now.
    const int count = GetMenuItemCount(menu_->Bar());
    RECT first{};
    if (count <= 0 || !GetMenuItemRect(Hwnd(), menu_->Bar(), 0, &first))
        return 0;
    POINT clientOrigin{0, 0};
    ClientToScreen(Hwnd(), &clientOrigin);
    int width = first.left - clientOrigin.x + GetSystemMetrics(SM_CXEDGE);
    for (int item = 0; item < count; ++item) {
        RECT bounds{};
        if (GetMenuItemRect(Hwnd(), menu_->Bar(), static_cast<UINT>(item), &bounds))
            width += bounds.right - bounds.left;
    }
    return width;
}

void TMainForm::Present() {
    // With its captions and its stored place: never narrower than its menu bar on one line.
    const SIZE client = ClientSize();
    if (const int least = MenuBarWidth(); client.cx < least)
        SetClientSize(least, client.cy);
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETMINMAXINFO && Hwnd() != nullptr && menu_ != nullptr) {
        RECT window{};
        GetWindowRect(Hwnd(), &window);
        auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
        limits.ptMinTrackSize.x = std::max<LONG>(
            limits.ptMinTrackSize.x, window.right - window.left - ClientSize().cx + MenuBarWidth());
        return 0;
    }
    return Wnd::HandleMessage(message, wParam, lParam);
}

void TMainForm::ShowAsLaunched(int showCommand) {
    ShowWindow(Hwnd(), ShowCommandOf(showCommand));
    SetForegroundWindow(Hwnd());
}

void TMainForm::FitToImage() {
    // Leaving the maximized state, the window goes back to the user's normal place.
    if (IsZoomed(Hwnd()) || IsIconic(Hwnd()))
        ShowWindow(Hwnd(), IsWindowVisible(Hwnd()) ? SW_RESTORE : SW_HIDE);
    // No scroll bar may take room while the window is fitted; afterwards they show what
    // the work area could not hold.
    clientArea_.SetCanvasSize(0, 0);
    const int width =
        std::max({picture_.Width(), Scaled(kLeastClientWidth, WindowDpi(Hwnd())), MenuBarWidth()});
    SetClientSize(width, picture_.Height());
    KeepOnWorkArea(Hwnd());
    clientArea_.ScrollTo(0, 0);
    clientArea_.SetCanvasSize(picture_.Width(), picture_.Height());
}

} // namespace slanter
