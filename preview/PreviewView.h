#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/Point.h"

namespace slanter {

class PreviewRaster;
struct PicturePixels;
struct PreviewLayout;

// The preview window as its presenter sees it: the lattice image, the picture view beside
// it with its outline option, and the room the screen leaves. Each front end implements
// it over its toolkit.
class PreviewView {
  public:
    // The room the screen leaves a window, in the window's pixels.
    virtual TPoint ScreenRoom() const = 0;
    // The lattice image's size in the window's pixels, and in the display's own, so that its
    // lines stay one display pixel wide on a scaled display.
    virtual TPoint LatticeSize() const = 0;
    virtual TPoint LatticePixels() const = 0;
    // How high the outline option is.
    virtual std::int32_t OptionHeight() const = 0;
    // A length of the window's pixels in the display's own, at the scale the wallpaper
    // drawn next is shown at.
    virtual std::int32_t DisplayPixels(std::int32_t length) = 0;
    // The designed form's item `item` (see EnglishCaption) takes `text`.
    virtual void SetCaption(std::string_view item, const std::string& text) = 0;

    // Shows a drawing of LatticePixels() as the lattice.
    virtual void ShowLattice(const PreviewRaster& drawing) = 0;
    // Lays the window out; without a picture view, the view is emptied.
    virtual void LayOut(const PreviewLayout& layout) = 0;
    // Shows a wallpaper of the display's own pixels in the picture view.
    virtual void ShowWallpaper(const PicturePixels& wallpaper) = 0;
    // Paints what changed before answering.
    virtual void PaintNow() = 0;

    // Shown in front, leaving the keys where they are.
    virtual void ShowInFront() = 0;
    virtual bool IsShown() const = 0;
    virtual void HideWindow() = 0;
    // Stores where the window is.
    virtual void SavePlacement() = 0;

  protected:
    ~PreviewView() = default;
};

} // namespace slanter
