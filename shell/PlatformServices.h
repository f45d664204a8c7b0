#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Point.h"

namespace slanter {

// What an open or save dialog starts with.
struct FileDialogRequest {
    std::string fileName;         // preselected (open) or offered (save); empty for none
    std::string folder;           // where it opens (save); empty for the platform's choice
    std::string filter;           // description|pattern|..., see DialogFilter.h
    std::string defaultExtension; // added to a typed name that has none
};

// What work in the background shares with the window that waits for it: the share done in
// thousandths, which the work sets, and Cancel, which the work looks at.
struct BackgroundControl {
    std::atomic<int> permille{0};
    std::atomic<bool> cancelled{false};
};

// What became of the clipboard's bitmap.
enum class ClipboardPicture {
    None,       // the clipboard holds no bitmap
    Written,    // written as the BMP file asked for
    NotWritten, // the file could not be written
};

inline constexpr std::string_view kBmpFileNotWritten = "not written";

// The platform's services a window's presenter calls, one object per window (the owner
// of its dialogs). Each front end implements them over its toolkit; tests use fakes.
class PlatformServices {
  public:
    virtual ~PlatformServices() = default;

    // Every message of the program, modal: captioned with two blanks and `caption`, or the
    // title when `caption` is empty. Answers the code of the button pressed.
    virtual int Message(const std::string& text, int flags, const std::string& caption = {}) = 0;
    // The general error box: a platform layer failed and ends the command in progress.
    // An error box with the title as caption, on every platform.
    virtual void GeneralError(const std::string& text);

    // The chosen file's full name, or nothing when the user cancelled.
    virtual std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) = 0;
    // Picture > Size...: the size chosen for a picture opened at `original` and now shown
    // at `current`, or nothing when the user cancelled.
    virtual std::optional<TPoint> AskPictureSize(TPoint original, TPoint current) = 0;

    // The clipboard's bitmap, written as a BMP file the program's own reader takes.
    virtual ClipboardPicture PasteBitmap(const std::string& bmpFile) = 0;
    // Puts the picture of a BMP file on the clipboard, its colour table with it.
    virtual void CopyBitmapFile(const std::string& bmpFile) = 0;

    // An icon file as the platform shows an icon, at its standard size, laid over white
    // (or, not onWhite, black) and written as a BMP file the program's own reader takes.
    // Answers the reason for a failure, empty on success, and kBmpFileNotWritten when the
    // icon was read but the BMP file could not be written.
    virtual std::string WriteIconFile(const std::string& iconFile, const std::string& bmpFile,
                                      bool onWhite) = 0;
    // The size in pixels of the screen the window is on; 0 x 0 where it cannot be told.
    virtual TPoint ScreenSize() = 0;
    // The picture formats the platform reads (or, `writable`, writes), in lower case.
    virtual std::vector<std::string> PictureFormats(bool writable) = 0;

    // Runs `work` on a thread of its own and answers its answer once it has finished,
    // while the program's events go on. The window shows a busy cursor and, past a second,
    // a progress bar and Cancel. `work` must not touch the toolkit.
    virtual std::string
    RunInBackground(const std::function<std::string(BackgroundControl&)>& work) = 0;
    // Lets every pending event of the window system run, and returns.
    virtual void ProcessPendingMessages() = 0;

    virtual void ShowHelp() = 0;
    // The version box: description, title and version, with the program file's name when
    // it differs from the title. A message box like any other, on every platform.
    virtual void ShowVersionInfo();
    // The copyright box, pointing to the companion text file when there is one.
    virtual void ShowCopyrightInfo();

    // The user's folder of pictures and the desktop's background (DesktopWallpaper.h).
    virtual std::string PicturesFolder();
    virtual std::string SetDesktopWallpaper(const std::string& file);
};

} // namespace slanter
