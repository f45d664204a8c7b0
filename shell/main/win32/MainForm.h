#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/main/MainPresenter.h"
#include "shell/main/MainView.h"
#include "shell/win32/DesignedMenu.h"
#include "shell/win32/ScreenPicture.h"
#include "shell/win32/ScrollView.h"
#include "shell/win32/Win32Services.h"
#include "shell/win32/Wnd.h"

namespace slanter {

struct ProgramState;

// The main window on the Windows API: its menus bound to the presenter, files dropped on
// it, and the picture drawn at its natural size with the window fitted to it.
class TMainForm : public Wnd, private MainView {
  public:
    // `commandLine` is the run's switches (see Arguments.h).
    TMainForm(ProgramState& state, std::string commandLine);
    ~TMainForm() override;

    MainPresenter& Presenter() { return presenter_; }

    // Gives the client area the picture's size (at least 100 wide, and as wide as the
    // menu bar), the window kept on its monitor's work area with scroll bars for the rest.
    void FitToImage();

    DesignedMenu& Menu() { return *menu_; }
    const ScreenPicture& Picture() const { return picture_; }
    ScrollView& ClientArea() { return clientArea_; }

    // In the launch's state (see LaunchState.h), over the one it restored.
    void ShowAsLaunched(int showCommand);
    // As the window's own, for the presenter and the program's windows alike.
    void Hide() override { Wnd::Hide(); }
    void Close() override { Wnd::Close(); }

    // Runs once the window has closed: the program is to end.
    std::function<void()> Closed;

    bool OnKeyDown(WPARAM key) override;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;
    void OnSize(int width, int height) override;
    void OnDropFiles(const std::vector<std::string>& files) override;

  private:
    void ShowSplash() override;
    void HideSplash() override;
    bool Build(bool eraseSettingsCommand) override;
    void SetCaption(std::string_view item, const std::string& text) override;
    void RestorePlacement() override;
    // Widened to hold its menu bar on one line.
    void Present() override;
    void SavePlacement() override;
    void CloseLater() override;
    void ShowRecentFiles(const std::vector<std::string>& captions) override;
    std::string ShowPicture(const std::string& workingFile, const THandyBitmap& picture) override;

    // The width of the client area the menu bar needs to show every menu on one line.
    int MenuBarWidth() const;

    Win32Services services_;
    MainPresenter presenter_;
    std::unique_ptr<DesignedMenu> menu_;
    ScrollView clientArea_;
    ScreenPicture picture_;
    // The File menu's recent-file commands and their separator's.
    std::vector<int> recentIds_;
};

// The main window of this run; null before it is made and after it is gone.
extern TMainForm* MainForm;

} // namespace slanter
