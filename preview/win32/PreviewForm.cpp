#include "preview/win32/PreviewForm.h"

#include <algorithm>

#include "bitmap/HandyBitmap.h"
#include "engine/Slanter.h"
#include "forms/FormTable.h"
#include "preview/PreviewDrawing.h"
#include "preview/PreviewRaster.h"
#include "shell/EnglishCaptions.h"
#include "shell/General.h"
#include "shell/ProgramState.h"
#include "shell/win32/FormPlacement.h"
#include "shell/win32/MessageBox.h"
#include "shell/win32/WorkArea.h"

namespace slanter {

TPreviewForm* PreviewForm = nullptr;

namespace {

// The English caption of this form's item `item`.
std::string English(std::string_view item) {
    return EnglishCaption(CaptionForm::Preview, item);
}

constexpr DesignedForm kForm = designed::kPreviewForm;
constexpr const char* kSection = "PreviewForm";
// Beside the method window's designed place, so the two do not cover each other.
constexpr POINT kDesignedPosition{496, 155};
// Between the lattice and the picture view, and around the option below the lattice.
constexpr int kGap = 4;

ScreenPicture ToPicture(const PreviewRaster& raster) {
    return ScreenPicture(raster.Width(), raster.Height(), raster.Pixels());
}

} // namespace

TPreviewForm::TPreviewForm(ProgramState& state) : state_(state) {
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
    // In the display's own pixels, so that on a scaled display the lines stay one device
    // pixel wide instead of being stretched into steps.
    lattice = {Scaled(image.width, Dpi()), Scaled(image.height, Dpi())};
    const DesignedItem& option = Designed(kForm, "CheckBox1");
    CheckBox1.CreateCheckBox({Hwnd(), option.text, option.x, option.y, option.width,
                              Scaled(option.height), 0, ControlFont()},
                             [this] { CheckBox1Click(); });
    RunGuarded([this] { RestoreFormPlacement(Hwnd(), kSection); });
    const ScreenRect area = WorkAreaOf(Hwnd());
    viewSide_ = slanter::PictureViewSide({area.width, area.height});
    if (!Japanese) {
        SetText(English("PreviewForm"));
        CheckBox1.SetText(English("CheckBox1"));
    }
    ShowPictureView(false);
    DrawLattice();
}

void TPreviewForm::DrawLattice() {
    const PreviewRaster raster(
        patternShown_ ? ComputePreviewDrawing(state_.PatternEngine, lattice.cx, lattice.cy)
                      : PreviewDrawing{lattice.cx, lattice.cy, kPreviewWhite, {}, true});
    lattice_ = ToPicture(raster);
}

void TPreviewForm::OnDpiChanged(int) {
    const DesignedItem& image = Designed(kForm, "Image1");
    lattice = {Scaled(image.width, Dpi()), Scaled(image.height, Dpi())};
    DrawLattice();
    // The wallpaper is already pixel for pixel; only its place beside the lattice moves.
    ShowPictureView(wallpaper_.width > 0);
    CheckBox1Click();
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

void TPreviewForm::DrawPreview() {
    Show(SW_SHOWNOACTIVATE);
    patternShown_ = true;
    DrawLattice();
    wallpaper_ = {};
    {
        const TSlanter& engine = state_.PatternEngine;
        wallpaperTile_ = engine.PatternSize(engine.PatternIndex());
        wallpaper_ =
            RenderPicturePreview(engine, state_.SourceBitmap, Smoothing,
                                 PicturePreviewSize(wallpaperTile_, {viewSide_, viewSide_}), false);
    }
    ShowPictureView(wallpaper_.width > 0);
    CheckBox1Click();
    InvalidateRect(Hwnd(), nullptr, TRUE);
    UpdateWindow(Hwnd());
}

void TPreviewForm::ShowPictureView(bool shown) {
    CheckBox1.SetVisible(shown);
    if (!shown) {
        shownWallpaper_ = ScreenPicture();
        SetClientSize(lattice.cx, lattice.cy);
        return;
    }
    const RECT option = CheckBox1.Bounds();
    const int optionHeight = option.bottom - option.top;
    CheckBox1.SetBounds(kGap, lattice.cy + kGap, lattice.cx - 2 * kGap, optionHeight);
    SetClientSize(lattice.cx + kGap + viewSide_,
                  std::max(viewSide_, static_cast<int>(lattice.cy) + 2 * kGap + optionHeight));
    // Grown from a place kept for the lattice alone, it may reach past the work area's edge.
    KeepOnWorkArea(Hwnd());
}

void TPreviewForm::CheckBox1Click() {
    if (wallpaper_.width <= 0)
        return;
    PicturePixels shown = wallpaper_;
    if (CheckBox1.IsChecked())
        AddTileOutline(shown, wallpaperTile_);
    shownWallpaper_ = ScreenPicture(shown.width, shown.height, shown.pixels);
    const RECT view{lattice.cx + kGap, 0, lattice.cx + kGap + viewSide_, viewSide_};
    InvalidateRect(Hwnd(), &view, TRUE);
}

void TPreviewForm::OnPaint(HDC dc, const RECT&) {
    lattice_.Draw(dc, {0, 0}, {0, 0, lattice_.Width(), lattice_.Height()});
    // Across the view from its left edge, in the middle of its height.
    if (!shownWallpaper_.IsEmpty())
        shownWallpaper_.Draw(dc, {lattice.cx + kGap, (viewSide_ - shownWallpaper_.Height()) / 2},
                             {0, 0, shownWallpaper_.Width(), shownWallpaper_.Height()});
}

void TPreviewForm::OnClose() {
    RunGuarded([this] { SaveFormPlacement(Hwnd(), kSection); });
    Hide();
}

} // namespace slanter
