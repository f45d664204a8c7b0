#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bitmap/HandyBitmap.h"
#include "engine/Point.h"

namespace slanter {

class MainView;
class MethodWindow;
class PlatformServices;
struct ProgramState;

// What the main window does: opens a picture (a BMP file, an icon, a picture of any format
// a decoder reads, or the clipboard's; by the menu, a drop or the recent files), makes it
// the working file the other windows use, shows it and hands its size to the pattern
// engine and the method window. Its start fills the program's state, its close empties it.
// No command lets an exception out: a failing platform layer ends in the general error box.
class MainPresenter {
  public:
    // `commandLine` is the run's switches (see Arguments.h).
    MainPresenter(ProgramState& state, PlatformServices& services, MainView& view,
                  std::string commandLine);
    MainPresenter(const MainPresenter&) = delete;
    MainPresenter& operator=(const MainPresenter&) = delete;

    void SetMethodWindow(MethodWindow* window) { methodWindow_ = window; }

    // Makes and shows the window with the splash up meanwhile. False when the installation
    // is damaged (the message has been shown) or no window could be made: the program is
    // to stop.
    bool Start();

    enum class CloseAnswer {
        Wait,          // a conversion stops first; the window is closed again once it has
        Closed,        // the window has just closed: the program is to end
        AlreadyClosed, // closed before
    };
    // The window is asked to close.
    CloseAnswer Close();

    // The menu commands.
    void Open();
    void Paste();
    void Exit();
    void ResizePicture();
    void ShowMethodWindow();
    void ShowInformation();
    void ShowHelp();
    void EraseSettings();
    void ShowVersion();
    void ShowCopyright();
    // Entry `index` of the recent files (0 the newest): opened, or, when it is gone,
    // taken off the list with a message.
    void OpenRecent(std::size_t index);

    // The open command once a file is chosen, in the dialog or on the command line.
    void OpenFile(const std::string& fileName);
    // Files dropped on the window: the first is opened as the open command does.
    void OpenDropped(const std::vector<std::string>& fileNames);

    // The recent files, newest first, as the settings store holds them.
    std::vector<std::string> RecentFiles() const;
    // The name of the picture shown: the chosen file's full name or the clipboard's label;
    // empty until a picture is opened.
    const std::string& SourceName() const { return sourceName_; }

  private:
    enum class Shown { Not, Refused, Loaded };

    void Guarded(const std::function<void()>& step);
    // False, after the message, while a conversion reads the picture.
    bool ConversionAllows();
    void Message(const std::string& text);

    void OpenBitmapFile(const std::string& fileName);
    void OpenIconFile(const std::string& fileName);
    void OpenPictureFile(const std::string& fileName);
    // The decoded picture becomes the working file, shown and loaded. False, after the
    // message, when it could be neither written nor shown.
    bool TakeDecodedPicture(const std::string& fileName, THandyBitmap& decoded);
    // The working file is read by our reader and shown. Not: the platform shows nothing
    // and nothing has changed. Refused: our reader refused it (SourceBitmap tells why) and
    // the engine offers nothing. Loaded: SourceBitmap holds it and the engine has its size.
    // kept: what the decoded picture keeps beyond the working file's cells, joined to it.
    Shown ShowWorkingFile(const std::string& name, KeptLayer* kept = nullptr);
    // As ShowWorkingFile, and when our reader refuses the user hears why.
    bool LoadWorkingFile(const std::string& name, KeptLayer* kept = nullptr);
    // What the platform's drawing of an icon over white hides: its opacity, found from a
    // second drawing over black; nothing for an opaque icon or one not drawn again.
    KeptLayer IconOpacity(const std::string& iconFile);
    // A file is the picture now: its name, and the head of the recent files.
    void Opened(const std::string& fileName);
    void NameSource(const std::string& name);
    void StoreRecentFiles(const std::vector<std::string>& files);
    void RefreshRecentFiles();
    void WriteResized(TPoint size);
    // The engine keeps its options but loses the picture's size, so that the method window
    // offers no pattern for a picture SourceBitmap does not hold.
    void ForgetPicture();
    void RefreshMethodWindow();
    void FreePictures();

    ProgramState& state_;
    PlatformServices& services_;
    MainView& view_;
    std::string commandLine_;
    MethodWindow* methodWindow_ = nullptr;
    bool open_ = false;
    bool closed_ = false;
    std::string sourceName_;
    // The figures of the picture sourceName_ names, for the information box.
    struct {
        std::int32_t width = 0;
        std::int32_t height = 0;
        int bitCount = 0;
    } sourceFacts_;
    // The picture as opened, kept while SourceBitmap holds it resized; with its size.
    std::unique_ptr<THandyBitmap> originalPicture_;
    TPoint resizedFrom_{};
    // Lets a close that waited for a conversion know this window is still there.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The menu entries of the main window's designed form and the command each runs, so that
// every front end binds them in one loop.
struct MainCommand {
    std::string_view item;
    void (MainPresenter::*run)();
};
std::span<const MainCommand> MainMenuCommands();

} // namespace slanter
