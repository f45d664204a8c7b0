#include "conversion/ResultPresenter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "bitmap/BandedResultFile.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/KeptFile.h"
#include "bitmap/OutputFile.h"
#include "conversion/ConversionRun.h"
#include "conversion/Progress.h"
#include "conversion/ResultFileChoice.h"
#include "conversion/ResultFileName.h"
#include "conversion/ResultSave.h"
#include "conversion/ResultSaveFilter.h"
#include "conversion/ResultShape.h"
#include "conversion/ResultTexts.h"
#include "conversion/ResultView.h"
#include "conversion/ResultViews.h"
#include "conversion/ResultZoom.h"
#include "conversion/SaveFolderChoice.h"
#include "shell/BackgroundThread.h"
#include "shell/General.h"
#include "shell/MainTexts.h"
#include "shell/MessageFlags.h"
#include "shell/PlatformServices.h"
#include "shell/ProgramIdentity.h"
#include "shell/SettingsStore.h"

namespace slanter {

namespace {

constexpr ResultCommand kCommands[] = {
    {"KFileSaveAs", [](ResultPresenter& p) { p.SaveAs(); }},
    {"KFileClipboard", [](ResultPresenter& p) { p.CopyToClipboard(); }},
    {"KFileWallpaper", [](ResultPresenter& p) { p.SetAsWallpaper(); }},
    {"KFileWallpaperSize", [](ResultPresenter& p) { p.SaveWallpaperOfSize(); }},
    {"KView1", [](ResultPresenter& p) { p.ShowView(1); }},
    {"KView4", [](ResultPresenter& p) { p.ShowView(4); }},
    {"KView9", [](ResultPresenter& p) { p.ShowView(9); }},
    {"KViewFit", [](ResultPresenter& p) { p.ZoomTo(kZoomToFit); }},
    {"KView25", [](ResultPresenter& p) { p.ZoomTo(25); }},
    {"KView50", [](ResultPresenter& p) { p.ZoomTo(50); }},
    {"KView100", [](ResultPresenter& p) { p.ZoomTo(100); }},
    {"KView200", [](ResultPresenter& p) { p.ZoomTo(200); }},
    {"KViewZoomIn", [](ResultPresenter& p) { p.ZoomStep(1); }},
    {"KViewZoomOut", [](ResultPresenter& p) { p.ZoomStep(-1); }},
    {"KViewInformation", [](ResultPresenter& p) { p.ShowInformation(); }},
};

// The zoom items in kZoomChoices' order.
constexpr const char* kZoomItems[] = {"KViewFit", "KView25", "KView50", "KView100", "KView200"};

} // namespace

std::span<const ResultCommand> ResultCommands() {
    return kCommands;
}

ResultPresenter::ResultPresenter(ProgramState& state, PlatformServices& services,
                                 ResultView& window)
    : state_(state), services_(services), window_(window) {
    state_.ResultWindows.push_back(this);
}

ResultPresenter::~ResultPresenter() {
    auto& windows = state_.ResultWindows;
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

bool ResultPresenter::NeedsResultFile(const std::string& fileName) const {
    // A closed window shows its result no more, so its file may go once nothing uses it.
    return fileName == resultFile_ && (!closed_ || converting_ || saving_);
}

void ResultPresenter::Convert(std::int32_t number, bool smoothing) {
    if (started_)
        return;
    started_ = true;
    number_ = number;
    smoothing_ = smoothing;
    pictureFile_ = state_.SourceFile;
    window_.SetCaption(NumberedCaption(window_.Caption(), number));
    cancelRequested_ = false;
    if (!RunConversion())
        window_.CloseWindow();
}

bool ResultPresenter::RunConversion() {
    // The main window has closed: nothing is left to convert.
    if (!state_.TemporaryFiles)
        return false;
    // Held to the end: the picture, the engine and the folder must outlast the run.
    const ConversionGuard::Running running(state_.Conversions);
    const TSlanter& engine = state_.PatternEngine;
    const THandyBitmap& source = state_.SourceBitmap;
    const TPoint tile = engine.PatternSize(engine.PatternIndex());
    angleDegrees_ = engine.AngleDegrees(engine.PatternIndex());
    const int depth = ResultDepth(source, smoothing_);
    // Known before any work: a tile whose pixel data no BMP file can hold.
    if (!ResultFitsInFile(tile, depth)) {
        Message(TileTooLargeText(Japanese, tile.X, tile.Y, depth));
        return false;
    }
    resultFile_ = ChooseResultFile();
    if (resultFile_.empty()) {
        Message(NoResultFileText(Japanese));
        return false;
    }
    converting_ = true;
    window_.ShowProgressPanel();

    RunHooks hooks;
    hooks.keepGoing = [this] {
        services_.ProcessPendingMessages();
        return !cancelRequested_ && !state_.Conversions.StopRequested();
    };
    hooks.showProgress = [this](const ColumnProgress& progress) {
        window_.ShowProgress(progress.percent, std::to_string(progress.percent) + "%",
                             EstimateText(progress.estimateSeconds, Japanese));
    };
    hooks.clock = clock_;
    THandyBitmap result;
    // The rows go to the file as they are done; a file that cannot be written says so
    // once the run is over, as it always has.
    BandedResultFile banded(resultFile_);
    if (banded.Refusal().empty())
        hooks.rowsDone = [&banded, &result](std::int32_t rows) { banded.RowsDone(result, rows); };
    const RunOutcome outcome = ComputeResult(engine, source, smoothing_, result, hooks);
    if (outcome == RunOutcome::OutOfMemory)
        Message(ResultOutOfMemoryText(Japanese, tile.X, tile.Y));
    const bool shown = outcome == RunOutcome::Finished && ShowResult(result, banded);
    converting_ = false;
    return shown;
}

bool ResultPresenter::ShowResult(THandyBitmap& result, BandedResultFile& banded) {
    state_.TemporaryFiles->Writing(resultFile_);
    state_.TemporaryFiles->Writing(KeptFileBeside(resultFile_));
    // Through a temporary file and a rename, as every save: a full disk leaves no partial
    // file behind, and the message says why. What the BMP file cannot hold goes beside it.
    const std::string reason = WriteResultWhileWaiting(result, banded);
    if (reason == kWriteStopped) {
        // Cancelled as a column is: nothing is left of the run.
        std::remove(resultFile_.c_str());
        std::remove(KeptFileBeside(resultFile_).c_str());
        return false;
    }
    if (!reason.empty()) {
        Message(ResultNotWrittenText(Japanese, resultFile_, reason));
        return false;
    }
    const TSlanter& engine = state_.PatternEngine;
    infoText_ = ResultInfoText(Japanese, engine.Horizontal(), engine.RightUp(), smoothing_,
                               result.biWidth(), result.biHeight(), result.biBitCount());
    // The file holds the result now: freed before it is read back, so that the largest
    // results never need room for two records at once.
    result = THandyBitmap();
    // Closed during the run: nothing is left to show, and no command reaches the file.
    if (closed_) {
        converting_ = false;
        window_.ReleasePicture();
        RemoveResultFileOnceUnused();
        return true;
    }
    if (const std::string reason = window_.ReadPicture(resultFile_); !reason.empty()) {
        Message(ResultNotReadText(Japanese, resultFile_, reason));
        return false;
    }
    shownResult_ = true;
    window_.ShowResultArea();
    ShowView(1);
    return true;
}

std::string ResultPresenter::WriteResultWhileWaiting(THandyBitmap& result,
                                                     BandedResultFile& banded) {
    const auto stopAsked = [this] {
        return cancelRequested_ || state_.Conversions.StopRequested();
    };
    // Nothing else touches the record until the writer has finished with it.
    BackgroundThread writing([&result, &banded, file = resultFile_](BackgroundControl& control) {
        std::string reason =
            banded.Finish(result, [&control] { return !control.cancelled.load(); });
        if (reason.empty())
            reason = WriteKeptBeside(result, file);
        return reason;
    });
    // Events run at least once, as after every column.
    for (;;) {
        services_.ProcessPendingMessages();
        if (stopAsked())
            writing.Control().cancelled = true;
        if (writing.Finished())
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const std::string reason = writing.Finish();
    // A cancel the writer heard too late still ends the run.
    return reason.empty() && stopAsked() ? kWriteStopped : reason;
}

std::string ResultPresenter::ChooseResultFile() const {
    const TemporaryPictures* folder = state_.TemporaryFiles.get();
    if (folder->Folder().empty())
        return {};
    const std::string name = ChooseResultFileName(number_, [&](const std::string& name) {
        const std::string file = folder->FileName(name);
        if (file == state_.WorkingFile)
            return true;
        return std::any_of(state_.ResultWindows.begin(), state_.ResultWindows.end(),
                           [&](const ResultFileUser* user) {
                               return user != this && user->NeedsResultFile(file);
                           });
    });
    return name.empty() ? name : folder->FileName(name);
}

void ResultPresenter::Closed() {
    // A closed window is never shown again. During a run the run still needs the window
    // and writes its file; what it would show is then never made.
    closed_ = true;
    shownResult_ = false;
    if (converting_)
        return;
    window_.ReleasePicture();
    RemoveResultFileOnceUnused();
}

void ResultPresenter::RemoveResultFileOnceUnused() {
    if (closed_ && !converting_ && !saving_ && !resultFile_.empty()) {
        std::remove(resultFile_.c_str());
        std::remove(KeptFileBeside(resultFile_).c_str());
    }
}

bool ResultPresenter::Escape() {
    if (converting_)
        Cancel();
    else if (saving_)
        *saveStopped_ = true;
    return converting_ || saving_;
}

void ResultPresenter::Resized() {
    if (zoom_ == kZoomToFit && !layingOut_)
        LayOutView(false);
}

void ResultPresenter::ShowView(int view) {
    if (!shownResult_)
        return;
    view_ = view == 9 ? 9 : view == 4 ? 4 : 1;
    LayOutView(zoom_ != kZoomToFit);
    CheckItems();
}

void ResultPresenter::ZoomTo(int zoom) {
    // Nothing to zoom before the result is shown (the keys may reach a disabled menu).
    if (!shownResult_)
        return;
    zoom_ = zoom;
    // A fit fills the window the user gave it; another zoom sizes the window to the view.
    LayOutView(zoom_ != kZoomToFit);
    CheckItems();
}

void ResultPresenter::ZoomStep(int step) {
    if (!shownResult_)
        return;
    const TPoint grid = ViewClientSize(view_, window_.PictureSize());
    const int fitted = grid.X > 0 ? static_cast<int>(std::int64_t{shown_.X} * 100 / grid.X) : 100;
    const int next = NextZoom(zoom_, step, fitted);
    if (next != zoom_)
        ZoomTo(next);
}

void ResultPresenter::LayOutView(bool sizeWindow) {
    if (!shownResult_)
        return;
    layingOut_ = true;
    const TPoint room = window_.Room(sizeWindow);
    shown_ = ZoomedViewSize(view_, window_.PictureSize(), zoom_, room);
    window_.LayOut(view_, shown_, sizeWindow);
    layingOut_ = false;
}

void ResultPresenter::CheckItems() {
    window_.SetChecked("KView1", view_ == 1);
    window_.SetChecked("KView4", view_ == 4);
    window_.SetChecked("KView9", view_ == 9);
    for (std::size_t k = 0; k < kZoomChoices.size(); ++k)
        window_.SetChecked(kZoomItems[k], zoom_ == kZoomChoices[k]);
}

void ResultPresenter::SaveAs() {
    // One save at a time: its key may still reach the window while one runs.
    if (!shownResult_ || saving_)
        return;
    if (const auto chosen =
            services_.ChooseSaveFile(SaveRequest(SuggestedResultStem(pictureFile_, angleDegrees_))))
        SaveResultAs(*chosen);
}

void ResultPresenter::SaveWallpaperOfSize() {
    if (!shownResult_ || saving_)
        return;
    // A wallpaper for this screen is the usual wish; a screen that cannot be told offers
    // the tile's own size.
    TPoint screen = services_.ScreenSize();
    if (screen.X < 1 || screen.Y < 1)
        screen = window_.PictureSize();
    const std::optional<TPoint> size = services_.AskPictureSize(screen, screen);
    if (!size)
        return;
    const std::string sized = SuggestedResultStem(pictureFile_, angleDegrees_) + "-" +
                              std::to_string(size->X) + "x" + std::to_string(size->Y);
    if (const auto chosen = services_.ChooseSaveFile(SaveRequest(sized)))
        SaveResultAs(*chosen, size);
}

FileDialogRequest ResultPresenter::SaveRequest(const std::string& name) const {
    // Offered in the format the last save chose.
    const std::string format =
        ReadSetting("Folder", "SaveFormat", "bmp").Text() == "png" ? "png" : "bmp";
    FileDialogRequest request;
    request.fileName = name + "." + format;
    request.folder = SaveDialogFolder(ReadSetting("Folder", "SavePath", "").Text(), pictureFile_);
    request.filter = ResultSaveFilter(Japanese);
    request.defaultExtension = format;
    return request;
}

void ResultPresenter::SaveResultAs(const std::string& fileName, const std::optional<TPoint>& fill) {
    if (saving_)
        return;
    if (const std::string refusal = ResultSaveRefusal(Japanese, resultFile_, fileName);
        !refusal.empty()) {
        Message(refusal);
        return;
    }
    const std::string reason = SaveInBackground(fileName, fill);
    if (reason == kWriteStopped)
        return;
    if (!reason.empty()) {
        Message(ResultNotSavedText(Japanese, fileName, reason));
        return;
    }
    // Only a folder a result really went to is offered by the next save.
    WriteSetting("Folder", "SavePath", FolderPart(fileName));
    WriteSetting("Folder", "SaveFormat",
                 SavedFormatOf(fileName) == SavedFormat::Png ? "png" : "bmp");
}

std::string ResultPresenter::SaveInBackground(const std::string& fileName,
                                              const std::optional<TPoint>& fill) {
    saving_ = true;
    *saveStopped_ = false;
    window_.EnableSaveAs(false);
    std::string reason =
        services_.RunInBackground([resultFile = resultFile_, fileName, fill,
                                   stopped = saveStopped_](BackgroundControl& control) {
            const auto keepGoing = [&control, &stopped] {
                return !control.cancelled.load() && !stopped->load();
            };
            ResultFileWriting writing;
            writing.progress = [&control, &keepGoing](double done) {
                control.permille = static_cast<int>(done * 1000);
                return keepGoing();
            };
            return SaveResultFile(resultFile, fileName, keepGoing, writing, fill);
        });
    saving_ = false;
    if (closed_) {
        // Nothing reads the closed window's file any more.
        RemoveResultFileOnceUnused();
    } else {
        window_.EnableSaveAs(true);
    }
    return reason;
}

void ResultPresenter::SetAsWallpaper() {
    if (!shownResult_ || saving_)
        return;
    const std::string file = UnusedFileName(
        services_.PicturesFolder(), SuggestedResultName(pictureFile_, angleDegrees_, "png"));
    const std::string reason = SaveInBackground(file);
    if (reason == kWriteStopped)
        return;
    if (!reason.empty()) {
        Message(ResultNotSavedText(Japanese, file, reason));
        return;
    }
    if (const std::string refusal = services_.SetDesktopWallpaper(file); !refusal.empty())
        Message(WallpaperNotSetText(Japanese, file, refusal));
}

void ResultPresenter::CopyToClipboard() {
    if (shownResult_)
        services_.CopyBitmapFile(resultFile_);
}

void ResultPresenter::ShowInformation() {
    services_.Message(infoText_, kInformationBox, BitmapInformationCaption(Japanese));
}

void ResultPresenter::Message(const std::string& text) {
    services_.Message(text, kWarningBox);
}

} // namespace slanter
