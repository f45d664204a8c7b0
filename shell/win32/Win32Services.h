#pragma once

#include <windows.h>

#include "shell/PlatformServices.h"

namespace slanter {

// The platform's services over the Windows API, for the window `owner`: its dialogs and
// boxes, its background work.
class Win32Services : public PlatformServices {
  public:
    explicit Win32Services(HWND owner = nullptr) : owner_(owner) {}
    // The window is made after its services: its handle once it exists.
    void SetOwner(HWND owner) { owner_ = owner; }

    int Message(const std::string& text, int flags, const std::string& caption) override;
    std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
    std::optional<TPoint> AskPictureSize(TPoint original, TPoint current) override;
    ClipboardPicture PasteBitmap(const std::string& bmpFile) override;
    void CopyBitmapFile(const std::string& bmpFile) override;
    std::string WriteIconFile(const std::string& iconFile, const std::string& bmpFile) override;
    std::vector<std::string> PictureFormats(bool writable) override;
    std::string
    RunInBackground(const std::function<std::string(BackgroundControl&)>& work) override;
    void ProcessPendingMessages() override;
    void ShowHelp() override;

  private:
    HWND owner_;
};

} // namespace slanter
