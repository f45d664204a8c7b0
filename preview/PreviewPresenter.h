#pragma once

#include <cstdint>

#include "engine/Point.h"
#include "preview/PicturePreview.h"
#include "preview/PreviewView.h"
#include "preview/PreviewWindow.h"

namespace slanter {

class PlatformServices;
class PreviewRaster;
struct ProgramState;

// The preview window's flow: the selected pattern's lattice and, once a picture is open,
// the wallpaper the pattern makes of it. The drawings stay until the next DrawPreview; the
// window never draws them anew by itself.
class PreviewPresenter : public PreviewWindow {
  public:
    PreviewPresenter(ProgramState& state, PlatformServices& services, PreviewView& view);

    // The window's creation: the picture view's side from the screen's room, and the
    // lattice alone, white.
    void Start();
    // The window closes: its placement is stored; the platform hides it.
    void Closing();
    // CheckBox1: the last wallpaper drawn, with the middle tile's outline or without.
    void SetOutline(bool shown);
    // The display's scale changed: the lattice is drawn anew in its pixels; the wallpaper
    // is already in them.
    void ScaleChanged();

    // The side of the square the wallpaper is fitted into, in the window's pixels.
    std::int32_t PictureViewSide() const { return viewSide_; }

    // PreviewWindow
    void DrawPreview(bool smoothing) override;
    bool IsVisible() const override;
    void Hide() override;
    void Close() override;

  private:
    // The selected pattern's lattice (white before the first preview) of `size` pixels.
    PreviewRaster Lattice(TPoint size) const;
    void ShowWallpaper();
    void LayOut();
    bool HasWallpaper() const { return wallpaper_.width > 0; }

    ProgramState& state_;
    PlatformServices& services_;
    PreviewView& view_;
    std::int32_t viewSide_ = 0;
    bool patternShown_ = false;
    bool outline_ = false;
    PicturePixels wallpaper_; // the last wallpaper drawn, in the display's pixels, no outline
    TPoint wallpaperTile_;
};

} // namespace slanter
