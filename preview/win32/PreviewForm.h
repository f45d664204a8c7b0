#pragma once

#include "preview/PreviewLayout.h"
#include "preview/PreviewPresenter.h"
#include "preview/PreviewView.h"
#include "shell/win32/Controls.h"
#include "shell/win32/ScreenPicture.h"
#include "shell/win32/Win32Services.h"
#include "shell/win32/Wnd.h"

namespace slanter {

struct ProgramState;

// The preview window, which draws the chosen pattern's lattice and, beside it once a
// picture is open, the wallpaper the pattern makes of it. Made hidden at start; the user
// cannot size it, so its placement is a position and a state. Its flow is
// PreviewPresenter's.
class TPreviewForm : public Wnd, private PreviewView {
  public:
    explicit TPreviewForm(ProgramState& state);

    PreviewWindow& Window() { return presenter_; }
    // What Image1 shows now, and what the picture view shows (empty while it is hidden).
    const ScreenPicture& Picture() const { return lattice_; }
    const ScreenPicture& PictureView() const { return wallpaper_; }

    CheckButton CheckBox1;

  protected:
    void OnClose() override;
    void OnPaint(HDC dc, const RECT& dirty) override;
    void OnDpiChanged(int previous) override;

  private:
    void FormCreate();

    // PreviewView
    TPoint ScreenRoom() const override;
    TPoint LatticeSize() const override { return LatticePixels(); }
    TPoint LatticePixels() const override;
    std::int32_t OptionHeight() const override;
    std::int32_t DisplayPixels(std::int32_t length) override { return length; }
    void SetCaption(std::string_view item, const std::string& text) override;
    void ShowLattice(const PreviewRaster& drawing) override;
    void LayOut(const PreviewLayout& layout) override;
    void ShowWallpaper(const PicturePixels& wallpaper) override;
    void PaintNow() override { UpdateWindow(Hwnd()); }
    void ShowInFront() override;
    bool IsShown() const override { return IsVisible(); }
    void HideWindow() override { Hide(); }
    void SavePlacement() override;

    Win32Services services_;
    PreviewPresenter presenter_;
    ScreenPicture lattice_;
    ScreenPicture wallpaper_;
    PreviewPart view_; // where the picture view lies
};

// The preview window of this run; null before it is made and after it is gone.
extern TPreviewForm* PreviewForm;

} // namespace slanter
