#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace slanter {

class THandyBitmap;

// The main window as its presenter drives it: each front end makes the controls, shows the
// picture and fits the window to it; what happens, and when, is the presenter's.
class MainView {
  public:
    // The program's splash, up while the window is made.
    virtual void ShowSplash() = 0;
    virtual void HideSplash() = 0;
    // Makes the window and its menus; `eraseSettingsCommand` offers Help > Delete Registry
    // and Quit. False when the platform can make no window.
    virtual bool Build(bool eraseSettingsCommand) = 0;
    // An English run's caption of the menu or entry named `item`.
    virtual void SetCaption(std::string_view item, const std::string& text) = 0;
    // Shows the window, in front, once it is made.
    virtual void Present() = 0;
    virtual void Hide() = 0;
    // The window's stored placement; a settings store that fails throws.
    virtual void RestorePlacement() = 0;
    virtual void SavePlacement() = 0;
    // The close command, run as if the user closed the window: now, or once the events
    // waiting now have run.
    virtual void Close() = 0;
    virtual void CloseLater() = 0;

    // The File menu's entries of the recent files, newest first, before Exit; none when
    // the list is empty.
    virtual void ShowRecentFiles(const std::vector<std::string>& captions) = 0;
    // Shows the picture of the working file at its natural size and fits the window to it.
    // `picture` is that file as the program's own reader read it, empty when it refused.
    // Answers the platform's reason when it can show nothing of the file.
    virtual std::string ShowPicture(const std::string& workingFile,
                                    const THandyBitmap& picture) = 0;

  protected:
    ~MainView() = default;
};

} // namespace slanter
