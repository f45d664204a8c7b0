#pragma once

#include "bitmap/TextLanguage.h"
#include "shell/PendingMessages.h"
#include "shell/PictureSizeAsker.h"
#include "shell/PlatformServices.h"

namespace slanter {

// The platform's services for one window, declared once for every front end: each front
// end defines the members over its toolkit for its kind of window handle, `Owner`, and
// instantiates them there.
template <typename Owner>
class WindowServices final : public PlatformServices {
  public:
    explicit WindowServices(Owner owner = nullptr) : owner_(owner) {}
    // A window may be made after its services: its handle once it exists.
    void SetOwner(Owner owner) { owner_ = owner; }

    int Message(const std::string& text, int flags, const std::string& caption) override;
    std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
    // The front end's dialog, found by the points' namespace where it instantiates these.
    std::optional<TPoint> AskPictureSize(TPoint original, TPoint current) override {
        if (const PictureSizeAsker& asker = CurrentPictureSizeAsker())
            return asker(original, current);
        return RunPictureSizeDialog(owner_, Japanese, original, current);
    }
    ClipboardPicture PasteBitmap(const std::string& bmpFile) override;
    void CopyBitmapFile(const std::string& bmpFile) override;
    std::string WriteIconFile(const std::string& iconFile, const std::string& bmpFile,
                              bool onWhite) override;
    TPoint ScreenSize() override;
    std::vector<std::string> PictureFormats(bool writable) override;
    std::string
    RunInBackground(const std::function<std::string(BackgroundControl&)>& work) override;
    void ProcessPendingMessages() override { slanter::ProcessPendingMessages(); }
    void ShowHelp() override;

  private:
    Owner owner_;
};

} // namespace slanter
