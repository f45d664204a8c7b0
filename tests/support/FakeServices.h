#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/PlatformServices.h"

namespace slanter {

// The platform's services as a presenter's tests give them: every message and dialog
// request is recorded, dialogs answer from queues (an empty queue cancels), the
// clipboard and icons are files, and background work runs at once on the caller's thread.
class FakeServices : public PlatformServices {
  public:
    struct Shown {
        std::string text;
        int flags = 0;
        std::string caption;
    };

    int Message(const std::string& text, int flags, const std::string& caption) override;
    void GeneralError(const std::string& text) override;
    std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
    std::optional<TPoint> AskPictureSize(TPoint original, TPoint current) override;
    ClipboardPicture PasteBitmap(const std::string& bmpFile) override;
    void CopyBitmapFile(const std::string& bmpFile) override;
    std::string WriteIconFile(const std::string& iconFile, const std::string& bmpFile,
                              bool onWhite) override;
    std::vector<std::string> PictureFormats(bool writable) override;
    std::string
    RunInBackground(const std::function<std::string(BackgroundControl&)>& work) override;
    void ProcessPendingMessages() override;
    void ShowHelp() override { ++helpShown; }
    void ShowVersionInfo() override { ++versionShown; }
    void ShowCopyrightInfo() override { ++copyrightShown; }
    TPoint ScreenSize() override { return screenSize; }
    std::string PicturesFolder() override { return picturesFolder; }
    std::string SetDesktopWallpaper(const std::string& file) override {
        wallpapers.push_back(file);
        return wallpaperAnswer;
    }

    // What was shown and asked, in order.
    std::vector<Shown> messages;
    std::vector<std::string> generalErrors;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<std::string> copiedFiles;
    int backgroundRuns = 0;
    int pendingMessageRuns = 0;
    int helpShown = 0;
    int versionShown = 0;
    int copyrightShown = 0;
    std::vector<std::string> wallpapers;
    std::vector<std::pair<TPoint, TPoint>> sizesAsked; // original, current

    // The answers.
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::optional<TPoint> sizeAnswer;
    // The BMP file the clipboard holds; none for an empty clipboard.
    std::optional<std::string> clipboardFile;
    // Copied into place by WriteIconFile: icon file name -> BMP file with its picture.
    std::function<std::string(const std::string& iconFile, const std::string& bmpFile,
                              bool onWhite)>
        iconWriter;
    std::vector<std::string> formats{"bmp", "ico", "png"};
    // The user's pictures (ending in a separator) and what setting the background answers.
    std::string picturesFolder;
    TPoint screenSize;
    std::string wallpaperAnswer;
    // Runs at each ProcessPendingMessages: what the user does meanwhile.
    std::function<void()> meanwhile;
    // Runs inside background work before it starts: Cancel pressed at once, say.
    std::function<void(BackgroundControl&)> beforeWork;

    // The text of the last message; empty when none was shown.
    std::string LastMessage() const {
        return messages.empty() ? std::string() : messages.back().text;
    }
};

} // namespace slanter
