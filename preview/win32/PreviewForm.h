#pragma once

#include "engine/Point.h"
#include "preview/PicturePreview.h"
#include "shell/win32/Controls.h"
#include "shell/win32/ScreenPicture.h"
#include "shell/win32/Wnd.h"

namespace slanter {

struct ProgramState;

// The preview window, which draws the chosen pattern's lattice and, beside it once a
// picture is open, the wallpaper the pattern makes of it. Made hidden at start; the user
// cannot size it, so its placement is a position and a state. The drawings stay until the
// next DrawPreview.
class TPreviewForm : public Wnd {
  public:
    explicit TPreviewForm(ProgramState& state);

    // Shows the window with the lattice of the pattern the engine has selected, and the
    // wallpaper of the opened picture, plain or smoothed as Smoothing says; with no pattern
    // selected, a white image alone.
    void DrawPreview();
    // What Image1 shows now, and what the picture view shows (empty while it is hidden).
    const ScreenPicture& Picture() const { return lattice_; }
    const ScreenPicture& PictureView() const { return shownWallpaper_; }
    int PictureViewSide() const { return viewSide_; }

    // Whether the next DrawPreview smooths the wallpaper; set by the method window.
    bool Smoothing = false;

    CheckButton CheckBox1;

  protected:
    void OnClose() override;
    void OnPaint(HDC dc, const RECT& dirty) override;
    void OnDpiChanged(int previous) override;

  private:
    void FormCreate();
    void ShowPictureView(bool shown);
    // Draws the lattice at Image1's size in device pixels: the pattern's once one is shown.
    void DrawLattice();
    // Shows the last wallpaper drawn, with the tile's outline when it is asked for.
    void CheckBox1Click();

    ProgramState& state_;
    SIZE lattice{0, 0}; // Image1's size in device pixels
    bool patternShown_ = false;
    int viewSide_ = 0;
    ScreenPicture lattice_;
    ScreenPicture shownWallpaper_;
    PicturePixels wallpaper_; // the last wallpaper drawn, no outline
    TPoint wallpaperTile_;
};

// The preview window of this run; null before it is made and after it is gone.
extern TPreviewForm* PreviewForm;

} // namespace slanter
