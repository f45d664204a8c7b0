#pragma once

namespace slanter {

// The method window as the main window drives it.
class MethodWindow {
  public:
    // Fills the list again from the pattern engine, with nothing selected and both commands
    // disabled.
    virtual void RefreshList() = 0;
    // Shows the window and brings it to the front, with the keys on the pattern list.
    virtual void BringToFront() = 0;
    // Closes the preview window, saves the options, column widths and placement, and hides.
    virtual void Close() = 0;

  protected:
    ~MethodWindow() = default;
};

} // namespace slanter
