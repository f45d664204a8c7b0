#include "conversion/win32/FinalForm.h"

#include <algorithm>

#include "bitmap/Checkerboard.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/KeptFile.h"
#include "conversion/ResultPlacement.h"
#include "conversion/ResultViews.h"
#include "conversion/win32/ZoomedScreenPart.h"
#include "forms/FormTable.h"
#include "shell/EnglishCaptions.h"
#include "shell/General.h"
#include "shell/win32/MessageBox.h"
#include "shell/win32/WorkArea.h"

namespace slanter {

namespace {

constexpr DesignedForm kForm = designed::kFinalForm;
// The progress bar's size while the conversion runs.
constexpr int kBarWidth = 200;
constexpr int kBarHeight = 16;
constexpr int kLabelHeight = 16;
constexpr int kButtonPanelHeight = 32;

} // namespace

TFinalForm::TFinalForm(ProgramState& state, HWND owner) : presenter_(state, services_, *this) {
    menu_ = std::make_unique<DesignedMenu>(kForm, "MainMenu1", *this);
    const DesignedItem& form = Designed(kForm, "FinalForm");
    WindowArgs args;
    args.title = std::string(form.text);
    args.owner = owner;
    args.menu = menu_->Bar();
    args.left = 0;
    args.top = 0;
    args.clientWidth = Scaled(form.width);
    args.clientHeight = Scaled(form.height);
    Create(args);
    services_.SetOwner(Hwnd());
    clientArea_.Create(Hwnd(), [this](HDC dc, const RECT& dirty) { PaintView(dc, dirty); });
    ShowWindow(clientArea_.Hwnd(), SW_HIDE);
    const HFONT font = ControlFont();
    ProgressBar1.Create({Hwnd(), "", 0, 0, Px(kBarWidth), Px(kBarHeight), 0, font});
    Label1.Create({Hwnd(), Designed(kForm, "Label1").text, 0, 0, 0, 0, 0, font});
    Label2.Create({Hwnd(), "", 0, 0, 0, 0, 0, font});
    const DesignedItem& cancel = Designed(kForm, "Button1");
    Button1.Create(
        {Hwnd(), cancel.text, 0, 0, Scaled(cancel.width), Scaled(cancel.height), 0, font},
        [this] { presenter_.Cancel(); });
    menu_->SetMenuEnabled("KFile", false);
    menu_->SetMenuEnabled("KView", false);
    // A command that fails in a platform layer ends in the general error box.
    for (const ResultCommand& command : ResultCommands())
        menu_->SetHandler(command.item,
                          [this, run = command.run] { RunGuarded([&] { run(presenter_); }); });
    FormCreate();
}

TFinalForm::~TFinalForm() = default;

void TFinalForm::FormCreate() {
    const ScreenRect area = WorkAreaAt({0, 0});
    const TPoint place = ResultWindowPlace({area.width, area.height}, ClockSeededRandom());
    SetWindowPos(Hwnd(), nullptr, area.left + place.X, area.top + place.Y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The formula lets the designed window reach past the right edge.
    KeepOnWorkArea(Hwnd());
    if (!Japanese)
        SetEnglishCaptions();
}

void TFinalForm::SetEnglishCaptions() {
    for (const auto& [item, english] : EnglishCaptions(CaptionForm::Final)) {
        if (item == "FinalForm")
            SetText(english);
        else if (item == "Button1")
            Button1.SetText(english);
        else
            menu_->SetText(item, english);
    }
}

void TFinalForm::OnSize(int width, int height) {
    if (width < Px(kLeastResultClientWidth) && !IsIconic(Hwnd())) {
        SetClientSize(Px(kLeastResultClientWidth), height);
        return;
    }
    LayOutPanels();
    if (clientArea_.Hwnd() != nullptr)
        MoveWindow(clientArea_.Hwnd(), 0, 0, width, height, TRUE);
    presenter_.Resized();
}

int TFinalForm::Px(int designed) const {
    return Scaled(designed, WindowDpi(Hwnd()));
}

void TFinalForm::LayOutPanels() {
    if (Button1.Hwnd() == nullptr)
        return;
    const SIZE client = ClientSize();
    ProgressBar1.SetBounds(0, 0, client.cx, Px(kBarHeight));
    Label1.SetBounds(0, Px(kBarHeight), client.cx, Px(kLabelHeight));
    Label2.SetBounds(0, Px(kBarHeight + kLabelHeight), client.cx, Px(kLabelHeight));
    const RECT button = Button1.Bounds();
    const int buttonWidth = button.right - button.left;
    const int panelTop = std::max(0, static_cast<int>(client.cy) - Px(kButtonPanelHeight));
    Button1.SetBounds((client.cx - buttonWidth) / 2, panelTop + Px(Designed(kForm, "Button1").y),
                      buttonWidth, button.bottom - button.top);
}

bool TFinalForm::OnKeyDown(WPARAM key) {
    // Esc cancels the run or the save while either goes on.
    if (key == VK_ESCAPE && presenter_.Escape())
        return true;
    if (clientArea_.TakeScrollKey(key, GetKeyState(VK_CONTROL) < 0))
        return true;
    if (GetKeyState(VK_CONTROL) >= 0)
        return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    // The system's zoom keys, the usual one for the actual size, and Save As, Copy, Close;
    // a key reaches a command only while its menu is offered.
    const auto run = [this](const char* menu, const char* name) {
        if (menu_->IsMenuEnabled(menu))
            RunCommand(menu_->Id(name));
        return true;
    };
    switch (key) {
    case VK_OEM_PLUS:
    case VK_ADD:
        return run("KView", "KViewZoomIn");
    case VK_OEM_MINUS:
    case VK_SUBTRACT:
        return run("KView", "KViewZoomOut");
    case '0':
    case VK_NUMPAD0:
        return run("KView", "KView100");
    case 'S':
        return shift ? run("KFile", "KFileSaveAs") : false;
    case 'C':
        return run("KFile", "KFileClipboard");
    case 'W':
    case VK_F4:
        Close();
        return true;
    default:
        return false;
    }
}

void TFinalForm::OnClose() {
    Hide();
    presenter_.Closed();
}

void TFinalForm::ShowProgressPanel() {
    Show(SW_SHOWNORMAL);
    SetClientSize(Px(std::max(kBarWidth, kLeastResultClientWidth)),
                  Px(kBarHeight + 2 * kLabelHeight + kButtonPanelHeight));
    KeepOnWorkArea(Hwnd());
    LayOutPanels();
    // Drawn before the work starts, which lets messages run only between columns.
    RedrawWindow(Hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TFinalForm::ShowProgress(int percent, const std::string& done, const std::string& estimate) {
    ProgressBar1.SetPosition(percent);
    Label1.SetText(done);
    Label2.SetText(estimate);
}

std::string TFinalForm::ReadPicture(const std::string& resultFile) {
    THandyBitmap loaded;
    if (!loaded.LoadFromFile(resultFile))
        return loaded.ErrorText();
    // Clear parts over the checkerboard, from what the result keeps beside its file.
    ReadKeptBeside(resultFile, loaded);
    THandyBitmap checkered;
    picture_ = ScreenPicture(PictureToShow(loaded, checkered));
    return {};
}

void TFinalForm::ShowResultArea() {
    menu_->SetMenuEnabled("KFile", true);
    menu_->SetMenuEnabled("KView", true);
    for (Control* control :
         std::initializer_list<Control*>{&ProgressBar1, &Label1, &Label2, &Button1})
        control->SetVisible(false);
    ShowWindow(clientArea_.Hwnd(), SW_SHOW);
}

void TFinalForm::ReleasePicture() {
    picture_ = ScreenPicture();
    clientArea_.SetCanvasSize(0, 0);
}

TPoint TFinalForm::Room(bool sizeWindow) {
    const SIZE client = ClientSize();
    if (!sizeWindow)
        return {client.cx, client.cy};
    if (IsZoomed(Hwnd()) || IsIconic(Hwnd()))
        ShowWindow(Hwnd(), SW_RESTORE);
    // The largest client area the window can have on its work area.
    const ScreenRect area = WorkAreaOf(Hwnd());
    RECT frame{};
    GetWindowRect(Hwnd(), &frame);
    const SIZE restored = ClientSize();
    return {area.width - (frame.right - frame.left - restored.cx),
            area.height - (frame.bottom - frame.top - restored.cy)};
}

void TFinalForm::LayOut(int view, TPoint shown, bool sizeWindow) {
    view_ = view;
    shown_ = shown;
    if (sizeWindow) {
        // No scroll bar may take room while the window is fitted.
        clientArea_.SetCanvasSize(0, 0);
        SetClientSize(std::max(shown_.X, Px(kLeastResultClientWidth)), shown_.Y);
        KeepOnWorkArea(Hwnd());
        clientArea_.ScrollTo(0, 0);
    }
    clientArea_.SetCanvasSize(shown_.X, shown_.Y);
}

void TFinalForm::EnableSaveAs(bool enabled) {
    EnableMenuItem(menu_->Menu("KFile"), static_cast<UINT>(menu_->Id("KFileSaveAs")),
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void TFinalForm::PaintView(HDC dc, const RECT& dirty) const {
    if (picture_.IsEmpty())
        return;
    // Only what is exposed, straight from the one picture: one result pixel to one device
    // pixel at 100 %.
    const ScreenPicture part = ZoomedScreenPart(picture_, view_, shown_, dirty);
    part.Draw(dc, {dirty.left, dirty.top}, {0, 0, part.Width(), part.Height()});
}

} // namespace slanter
