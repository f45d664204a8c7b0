#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "conversion/ResultWindow.h"
#include "engine/Point.h"
#include "shell/ProgramState.h"

namespace slanter {

struct FileDialogRequest;

class BandedResultFile;
class PlatformServices;
class ResultView;

// The flow of one result window. Convert shows the run's progress with Cancel, computes
// the result column by column, writes it to a result file of the run's folder that no
// other window needs and shows it read back in view 1. Afterwards the window shows the
// result alone or tiled at a zoom, saves it as BMP or PNG in the background, copies it and
// tells its size and colours. A closed window's result file goes as soon as no run or
// save uses it.
class ResultPresenter : public ResultWindow, public ResultFileUser {
  public:
    ResultPresenter(ProgramState& state, PlatformServices& services, ResultView& view);
    ~ResultPresenter();
    ResultPresenter(const ResultPresenter&) = delete;
    ResultPresenter& operator=(const ResultPresenter&) = delete;

    void Convert(std::int32_t number, bool smoothing) override;
    bool NeedsResultFile(const std::string& fileName) const override;

    // Cancel (Button1, or Esc while the run shows it).
    void Cancel() { cancelRequested_ = true; }
    // Esc: cancels the run or the save in progress. Answers whether it took the key.
    bool Escape();
    // The window has been closed by the user or by the flow.
    void Closed();
    // The window's client has been resized: a fitted view follows it.
    void Resized();

    // The picture alone (1) or tiled (4, 9), the window sized to it.
    void ShowView(int view);
    // A percentage of kZoomChoices, or kZoomToFit.
    void ZoomTo(int zoom);
    // One percentage in (1) or out (-1).
    void ZoomStep(int step);
    void SaveAs();
    // File > Save Wallpaper of Size...: a picture of the size the user chooses (the
    // screen's offered first) laid with the result, saved as Save As saves.
    void SaveWallpaperOfSize();
    // Saves to `fileName` (BMP or PNG by its extension) in the background, with `fill` a
    // picture of that size laid with the result, then keeps its folder and format for the
    // next save. Returns once the save has ended.
    void SaveResultAs(const std::string& fileName, const std::optional<TPoint>& fill = {});
    void CopyToClipboard();
    // File > Set as Desktop Wallpaper: the result saved as a PNG file under a new name in
    // the user's pictures and made the desktop's background, tiled.
    void SetAsWallpaper();
    void ShowInformation();

    int View() const { return view_; }
    int Zoom() const { return zoom_; }
    // The zoomed view's size in device pixels.
    TPoint Shown() const { return shown_; }
    bool CancelRequested() const { return cancelRequested_; }
    // Empty until Convert has chosen it.
    const std::string& ResultFile() const { return resultFile_; }
    // The information box's text, made when the result was written.
    const std::string& InfoText() const { return infoText_; }
    // The local date and time as a day count, in place of the clock (tests).
    void SetClock(std::function<double()> clock) { clock_ = std::move(clock); }

  private:
    bool RunConversion();
    bool ShowResult(THandyBitmap& result, BandedResultFile& banded);
    // Writes the result file on a thread of its own while the program's events go on, so
    // that Esc still cancels. Answers the reason for a failure, kWriteStopped when
    // cancelled, empty when written.
    std::string WriteResultWhileWaiting(THandyBitmap& result, BandedResultFile& banded);
    // Writes the result to fileName in the background with progress and Cancel, no other
    // save meanwhile. Answers the reason for a failure (kWriteStopped when cancelled).
    std::string SaveInBackground(const std::string& fileName,
                                 const std::optional<TPoint>& fill = {});
    // The save dialog's request for a result offered as `name` (without extension).
    FileDialogRequest SaveRequest(const std::string& name) const;
    std::string ChooseResultFile() const;
    void LayOutView(bool sizeWindow);
    void CheckItems();
    void RemoveResultFileOnceUnused();
    void Message(const std::string& text);

    ProgramState& state_;
    PlatformServices& services_;
    ResultView& window_;
    std::string resultFile_;
    std::string infoText_;
    // The file the result was made from; its folder is the first save's.
    std::string pictureFile_;
    std::function<double()> clock_;
    std::int32_t number_ = 0;
    double angleDegrees_ = 0; // the converted pattern's
    bool smoothing_ = false;
    bool started_ = false;
    bool converting_ = false;
    bool cancelRequested_ = false;
    bool shownResult_ = false; // the picture is shown: the commands may act
    bool saving_ = false;
    // Esc during the save; read by its thread.
    std::shared_ptr<std::atomic<bool>> saveStopped_ = std::make_shared<std::atomic<bool>>(false);
    bool closed_ = false;
    bool layingOut_ = false;
    int view_ = 1;
    int zoom_ = 100;
    TPoint shown_;
};

// The result window's menu commands by their items' names, for the front ends to bind.
struct ResultCommand {
    const char* item;
    void (*run)(ResultPresenter& presenter);
};
std::span<const ResultCommand> ResultCommands();

} // namespace slanter
