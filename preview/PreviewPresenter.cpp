#include "preview/PreviewPresenter.h"

#include <string_view>

#include "preview/PreviewDrawing.h"
#include "preview/PreviewLayout.h"
#include "preview/PreviewRaster.h"
#include "shell/EnglishCaptions.h"
#include "shell/General.h"
#include "shell/GuardedCommand.h"
#include "shell/ProgramState.h"

namespace slanter {

namespace {

// The items an English run gives their English captions.
constexpr std::string_view kCaptionedItems[] = {"PreviewForm", "CheckBox1"};

} // namespace

PreviewPresenter::PreviewPresenter(ProgramState& state, PlatformServices& services,
                                   PreviewView& view)
    : state_(state), services_(services), view_(view) {}

void PreviewPresenter::Start() {
    viewSide_ = slanter::PictureViewSide(view_.ScreenRoom());
    LayOut();
    if (!Japanese) {
        for (const std::string_view item : kCaptionedItems)
            view_.SetCaption(item, EnglishCaption(CaptionForm::Preview, item));
    }
    view_.ShowLattice(Lattice(view_.LatticePixels()));
}

PreviewRaster PreviewPresenter::Lattice(TPoint size) const {
    return PreviewRaster(patternShown_ ? ComputePreviewDrawing(state_.PatternEngine, size.X, size.Y)
                                       : PreviewDrawing{size.X, size.Y, kPreviewWhite, {}, true});
}

void PreviewPresenter::DrawPreview(bool smoothing) {
    view_.ShowInFront();
    patternShown_ = true;
    view_.ShowLattice(Lattice(view_.LatticePixels()));
    // The wallpaper in the display's own pixels, so that one to one is pixel for pixel on
    // any screen.
    const TSlanter& engine = state_.PatternEngine;
    const std::int32_t side = view_.DisplayPixels(viewSide_);
    wallpaperTile_ = engine.PatternSize(engine.PatternIndex());
    wallpaper_ = RenderPicturePreview(engine, state_.SourceBitmap, smoothing,
                                      PicturePreviewSize(wallpaperTile_, {side, side}), false);
    LayOut();
    ShowWallpaper();
    view_.PaintNow();
}

void PreviewPresenter::LayOut() {
    view_.LayOut(
        LayOutPreview(view_.LatticeSize(), HasWallpaper(), viewSide_, view_.OptionHeight()));
}

void PreviewPresenter::SetOutline(bool shown) {
    outline_ = shown;
    ShowWallpaper();
}

void PreviewPresenter::ShowWallpaper() {
    if (!HasWallpaper())
        return;
    PicturePixels shown = wallpaper_;
    if (outline_)
        AddTileOutline(shown, wallpaperTile_);
    view_.ShowWallpaper(shown);
}

void PreviewPresenter::ScaleChanged() {
    view_.ShowLattice(Lattice(view_.LatticePixels()));
    LayOut();
    ShowWallpaper();
    view_.PaintNow();
}

bool PreviewPresenter::IsVisible() const {
    return view_.IsShown();
}

void PreviewPresenter::Hide() {
    view_.HideWindow();
}

void PreviewPresenter::Closing() {
    RunCommand(services_, [this] { view_.SavePlacement(); });
}

void PreviewPresenter::Close() {
    Closing();
    view_.HideWindow();
}

} // namespace slanter
