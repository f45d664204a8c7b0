#pragma once

namespace slanter {

// The preview window as the method window drives it.
class PreviewWindow {
  public:
    // Shows the window with the lattice of the pattern the engine has selected and the
    // wallpaper of the opened picture, plain or smoothed.
    virtual void DrawPreview(bool smoothing) = 0;
    virtual bool IsVisible() const = 0;
    virtual void Hide() = 0;
    // Saves the window's placement and hides it, as the program's end does.
    virtual void Close() = 0;

  protected:
    ~PreviewWindow() = default;
};

} // namespace slanter
