#include "preview/win32/PreviewForm.h"

#include "forms/FormTable.h"
#include "preview/PreviewRaster.h"
#include "shell/win32/FormPlacement.h"
#include "shell/win32/MessageBox.h"
#include "shell/win32/WorkArea.h"

namespace slanter {

TPreviewForm* PreviewForm = nullptr;

namespace {

constexpr DesignedForm kForm = designed::kPreviewForm;
constexpr const char* kSection = "PreviewForm";
// Beside the method window's designed place, so the two do not cover each other.
constexpr POINT kDesignedPosition{496, 155};

} // namespace

TPreviewForm::TPreviewForm(ProgramState& state) : presenter_(state, services_, *this) {
    FormCreate();
}

void TPreviewForm::FormCreate() {
    const DesignedItem& image = Designed(kForm, "Image1");
    WindowArgs args;
    args.title = std::string(Designed(kForm, "PreviewForm").text);
    // A single border: the client area is exactly the drawings, and the user cannot size it.
    args.style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    args.left = Scaled(kDesignedPosition.x);
    args.top = Scaled(kDesignedPosition.y);
    args.clientWidth = Scaled(image.width);
    args.clientHeight = Scaled(image.height);
    Create(args);
    services_.SetOwner(Hwnd());
    const DesignedItem& option = Designed(kForm, "CheckBox1");
    CheckBox1.CreateCheckBox({Hwnd(), option.text, option.x, option.y, option.width,
                              Scaled(option.height), 0, ControlFont()},
                             [this] { presenter_.SetOutline(CheckBox1.IsChecked()); });
    RunGuarded([this] { RestoreFormPlacement(Hwnd(), kSection); });
    presenter_.Start();
}

TPoint TPreviewForm::ScreenRoom() const {
    const ScreenRect area = WorkAreaOf(Hwnd());
    return {area.width, area.height};
}

// In the display's own pixels, so that on a scaled display the lines stay one device pixel
// wide instead of being stretched into steps.
TPoint TPreviewForm::LatticePixels() const {
    const DesignedItem& image = Designed(kForm, "Image1");
    return {Scaled(image.width, Dpi()), Scaled(image.height, Dpi())};
}

void TPreviewForm::SetCaption(std::string_view item, const std::string& text) {
    if (item == "CheckBox1")
        CheckBox1.SetText(text);
    else
        SetText(text);
}

void TPreviewForm::ShowLattice(const PreviewRaster& drawing) {
    lattice_ = ScreenPicture(drawing.Width(), drawing.Height(), drawing.Pixels());
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

void TPreviewForm::LayOut(const PreviewLayout& layout) {
    view_ = layout.view;
    CheckBox1.SetVisible(layout.pictureView);
    SetClientSize(layout.client.X, layout.client.Y);
    if (!layout.pictureView) {
        wallpaper_ = ScreenPicture();
        return;
    }
    const PreviewPart& option = layout.option;
    CheckBox1.SetBounds(option.left, option.top, option.width, option.height);
    // Grown from a place kept for the lattice alone, it may reach past the work area's edge.
    KeepOnWorkArea(Hwnd());
}

std::int32_t TPreviewForm::OptionHeight() const {
    const RECT option = CheckBox1.Bounds();
    return option.bottom - option.top;
}

void TPreviewForm::ShowWallpaper(const PicturePixels& wallpaper) {
    wallpaper_ = ScreenPicture(wallpaper.width, wallpaper.height, wallpaper.pixels);
    const RECT view{view_.left, view_.top, view_.left + view_.width, view_.top + view_.height};
    InvalidateRect(Hwnd(), &view, TRUE);
}

void TPreviewForm::ShowInFront() {
    // In front, yet the keys stay with the method window.
    Show(SW_SHOWNOACTIVATE);
    SetWindowPos(Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TPreviewForm::SavePlacement() {
    SaveFormPlacement(Hwnd(), kSection);
}

void TPreviewForm::OnPaint(HDC dc, const RECT&) {
    lattice_.Draw(dc, {0, 0}, {0, 0, lattice_.Width(), lattice_.Height()});
    // Across the view from its left edge, in the middle of its height.
    if (!wallpaper_.IsEmpty())
        wallpaper_.Draw(dc, {view_.left, view_.top + (view_.height - wallpaper_.Height()) / 2},
                        {0, 0, wallpaper_.Width(), wallpaper_.Height()});
}

void TPreviewForm::OnDpiChanged(int) {
    presenter_.ScaleChanged();
}

void TPreviewForm::OnClose() {
    presenter_.Closing();
    Hide();
}

} // namespace slanter
