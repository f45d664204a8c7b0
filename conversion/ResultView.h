#pragma once

#include <string>
#include <string_view>

#include "engine/Point.h"

namespace slanter {

// What a result window's front end does for its presenter: show the run's progress, the
// picture read back from the result file, its tiles laid out in device pixels, and the
// state of its commands. The presenter decides; the view paints.
class ResultView {
  public:
    // The caption the window has now: the designed one, or its English one.
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;

    // Shows the window with the progress panel grown to its working size and draws it
    // before the run starts, which lets events in only between columns.
    virtual void ShowProgressPanel() = 0;
    // The bar at `percent`, its two labels beneath.
    virtual void ShowProgress(int percent, const std::string& done,
                              const std::string& estimate) = 0;

    // Reads the picture of the result file to show it; answers the reader's reason when
    // it cannot, empty on success.
    virtual std::string ReadPicture(const std::string& resultFile) = 0;
    // The size of the picture read; nothing when none is held.
    virtual TPoint PictureSize() const = 0;
    // The progress panel gives way to the view of the picture, and the menus are offered.
    virtual void ShowResultArea() = 0;
    // Frees the picture and the platform's resources of a closed window.
    virtual void ReleasePicture() = 0;

    // The client area there is for view `view`, in device pixels. With `sizeWindow` the
    // window is first restored from maximized or minimized and the answer is the largest
    // client the screen allows; otherwise the client it has now.
    virtual TPoint Room(bool sizeWindow) = 0;
    // Lays the tiles of `view` (1, 4 or 9) out in a view of `shown` device pixels and
    // repaints them; with `sizeWindow` the window is sized to them.
    virtual void LayOut(int view, TPoint shown, bool sizeWindow) = 0;

    // Ticks or clears the menu item `item`.
    virtual void SetChecked(std::string_view item, bool checked) = 0;
    // Offers Save As, or not while a save runs.
    virtual void EnableSaveAs(bool enabled) = 0;

    // Closes the window as the user would; the view tells the presenter (Closed).
    virtual void CloseWindow() = 0;

  protected:
    ~ResultView() = default;
};

} // namespace slanter
