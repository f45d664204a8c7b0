#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>

#include "shell/main/MainPresenter.h"
#include "shell/main/MainView.h"
#include "shell/qt/QtServices.h"

class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
namespace Ui {
class MainForm;
}

namespace slanter {

class MethodWindow;
class PixelExactPicture;
struct ProgramState;

// The main window on Qt: its menus bound to the presenter, files dropped on it, and the
// picture shown at its natural size with the window fitted to it.
class TMainForm : public QMainWindow, private MainView {
    Q_OBJECT

  public:
    // `commandLine` is the run's switches (see Arguments.h).
    TMainForm(ProgramState& state, std::string commandLine);
    ~TMainForm() override;

    MainPresenter& Presenter() { return presenter_; }

    // Gives the client area the picture's size (at least 100 wide), the window kept on the
    // usable screen with scroll bars for the rest.
    void FitToImage();
    // Shows the window in the launch's state (see LaunchState.h), over the one it restored.
    void ShowAsLaunched(int showCommand);

  signals:
    // The window has closed: the program is to end.
    void Closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void ShowSplash() override;
    void HideSplash() override;
    bool Build(bool eraseSettingsCommand) override;
    void SetCaption(std::string_view item, const std::string& text) override;
    void Present() override;
    void Hide() override { hide(); }
    void RestorePlacement() override;
    void SavePlacement() override;
    void Close() override { close(); }
    void CloseLater() override;
    void ShowRecentFiles(const std::vector<std::string>& captions) override;
    std::string ShowPicture(const std::string& workingFile, const THandyBitmap& picture) override;

    void NameSeparators();
    // The width the menu bar needs to show every menu on its one line.
    int MenuBarWidth() const;

    std::unique_ptr<Ui::MainForm> ui_;
    PixelExactPicture* shownPicture_ = nullptr; // paints Image1
    QtServices services_;
    MainPresenter presenter_;
    // The File menu's recent-file entries and their separator, the menu holding those in use.
    std::vector<QAction*> recentActions_;
};

// The main window of this run; null before it is made and after it is gone.
extern TMainForm* MainForm;

} // namespace slanter
