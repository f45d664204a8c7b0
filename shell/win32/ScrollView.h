#pragma once

#include <functional>

#include "shell/win32/Wnd.h"

namespace slanter {

// A child window that shows a canvas of any size, with scroll bars for what its client
// area cannot show. Its owner paints the canvas: the painter gets the device context with
// the canvas's origin where the scrolled canvas begins, and the dirty part in canvas
// coordinates.
class ScrollView : public Wnd {
  public:
    using Painter = std::function<void(HDC dc, const RECT& dirty)>;

    bool Create(HWND parent, Painter painter);
    // A new canvas size; the scroll position is kept where it can be.
    void SetCanvasSize(int width, int height);
    SIZE CanvasSize() const { return canvas_; }
    POINT ScrollPosition() const { return position_; }
    void ScrollTo(int x, int y);
    void Repaint();
    // The keys a document viewer scrolls by: the arrows, Page Up and Down, Home and End
    // (with Ctrl to the corners). Answers whether the key was one of them.
    bool TakeScrollKey(WPARAM key, bool control);

  protected:
    void OnPaint(HDC dc, const RECT& dirty) override;
    void OnSize(int width, int height) override;
    void OnScroll(int bar, int code) override;
    void OnMouseWheel(int delta) override;

  private:
    void UpdateBars();

    Painter painter_;
    SIZE canvas_{0, 0};
    POINT position_{0, 0};
    bool updatingBars_ = false;
};

} // namespace slanter
