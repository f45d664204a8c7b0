#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Point.h"
#include "shell/win32/DesignedMenu.h"
#include "shell/win32/ScreenPicture.h"
#include "shell/win32/ScrollView.h"
#include "shell/win32/Wnd.h"

namespace slanter {

class THandyBitmap;
struct ProgramState;

// The main window: opens a picture (a BMP file, an icon file, a picture of any format the
// platform decodes, or the clipboard's; by the menu, by dropping or from the list of
// recent files), shows it at its natural size with the window fitted to it, and hands it
// to the pattern engine and the method window. It owns the pattern engine, the opened
// picture and the run's temporary pictures, and its close ends the program.
class TMainForm : public Wnd {
  public:
    // `commandLine` is the run's switches (see Arguments.h).
    TMainForm(ProgramState& state, std::string commandLine);
    ~TMainForm() override;

    // Builds the window's state and shows it, with the splash up meanwhile. False when the
    // installation is damaged: the message has been shown and the program is to stop.
    bool FormCreate();

    // The menu commands.
    void KFileOpenClick();
    void KFileClipboardClick();
    void KFileExitClick();
    void KPictureSizeClick();
    void KViewMethodClick();
    void KViewInformationClick();
    void KHelpHelpClick();
    void KHelpDeleteRegistryClick();
    void KHelpVersionClick();
    void KHelpCopyrightClick();

    // The open command once a file is chosen, in the dialog or on the command line.
    void OpenChosenFile(const std::string& fileName);
    // Files dropped on the window: the first is opened as the open command does.
    void OpenDroppedFiles(const std::vector<std::string>& fileNames);
    // Entry `index` of the recent files (0 the newest): opened, or, when it is gone,
    // taken off the list with a message.
    void KFileRecentClick(std::size_t index);
    // The recent files, newest first, as the settings store holds them.
    std::vector<std::string> RecentFiles() const;

    // Gives the client area the picture's size (at least 100 wide, and as wide as the
    // menu bar), the window kept on its monitor's work area with scroll bars for the rest,
    // and hands the size to the pattern engine.
    void FitToImage();

    DesignedMenu& Menu() { return *menu_; }
    const ScreenPicture& Picture() const { return picture_; }
    ScrollView& ClientArea() { return clientArea_; }
    const std::string& SourceName() const { return sourceName_; }

    // Runs once the window has closed: the program is to end.
    std::function<void()> Closed;

    bool OnKeyDown(WPARAM key) override;

  protected:
    void OnClose() override;
    void OnSize(int width, int height) override;
    void OnDropFiles(const std::vector<std::string>& files) override;

  private:
    void FormClose();
    void SetEnglishCaptions();
    // The width of the client area the menu bar needs to show every menu on one line.
    int MenuBarWidth() const;
    void OpenBitmapFile(const std::string& fileName);
    void OpenIconFile(const std::string& fileName);
    void OpenPictureFile(const std::string& fileName);
    // The decoded picture becomes the working file, shown and loaded. False, after the
    // can't-copy message, when the working file cannot be written.
    bool TakeDecodedPicture(const std::string& fileName, THandyBitmap& decoded);
    // SourceBitmap reads the working file and the window shows it; when the reader
    // refuses, nothing is left to offer.
    bool LoadWorkingFile();
    void Opened(const std::string& fileName);
    void StoreRecentFiles(const std::vector<std::string>& files);
    void RefreshRecentFiles();
    void NameSource(const std::string& name);
    // The working picture at `size`, made from the picture as opened.
    void ResizePicture(TPoint size);
    void ForgetPicture();
    void RefreshMethodWindow();
    void Message(const std::string& text);

    ProgramState& state_;
    std::string commandLine_;
    std::unique_ptr<DesignedMenu> menu_;
    ScrollView clientArea_;
    ScreenPicture picture_;
    std::string sourceName_;
    struct {
        int width = 0;
        int height = 0;
        int bitCount = 0;
    } sourceFacts_;
    // The picture as opened while the working picture is a resized one, and its size.
    std::unique_ptr<THandyBitmap> originalPicture_;
    TPoint resizedFrom_{};
    // The File menu's recent-file commands and their separator's.
    std::vector<int> recentIds_;
    bool closed_ = false;
};

// The main window of this run; null before it is made and after it is gone.
extern TMainForm* MainForm;

} // namespace slanter
