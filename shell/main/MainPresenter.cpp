#include "shell/main/MainPresenter.h"

#include <cstdio>
#include <utility>

#include "bitmap/DrawnOpacity.h"
#include "bitmap/PictureDecoder.h"
#include "bitmap/PictureScale.h"
#include "bitmap/WorkingPicture.h"
#include "method/MethodWindow.h"
#include "shell/EnglishCaptions.h"
#include "shell/FileCopy.h"
#include "shell/FileFound.h"
#include "shell/General.h"
#include "shell/GuardedCommand.h"
#include "shell/InfoTexts.h"
#include "shell/InstallationCheck.h"
#include "shell/Language.h"
#include "shell/MainTexts.h"
#include "shell/MessageFlags.h"
#include "shell/PictureFileKind.h"
#include "shell/PictureSizeChoice.h"
#include "shell/PlatformServices.h"
#include "shell/ProgramState.h"
#include "shell/RecentFiles.h"
#include "shell/SettingsStore.h"
#include "shell/WorkingResize.h"
#include "shell/main/MainView.h"

namespace slanter {

namespace {

// The settings store's section of the recent files: "Count" and "File1" to "File8".
constexpr const char* kRecentSection = "RecentFiles";

constexpr MainCommand kMenuCommands[] = {
    {"KFileOpen", &MainPresenter::Open},
    {"KFileClipboard", &MainPresenter::Paste},
    {"KFileExit", &MainPresenter::Exit},
    {"KPictureSize", &MainPresenter::ResizePicture},
    {"KViewMethod", &MainPresenter::ShowMethodWindow},
    {"KViewInformation", &MainPresenter::ShowInformation},
    {"KHelpHelp", &MainPresenter::ShowHelp},
    {"KHelpDeleteRegistry", &MainPresenter::EraseSettings},
    {"KHelpCopyright", &MainPresenter::ShowCopyright},
    {"KHelpVersion", &MainPresenter::ShowVersion},
};

TPoint SizeOf(const THandyBitmap& picture) {
    return {picture.biWidth(), picture.biHeight()};
}

} // namespace

std::span<const MainCommand> MainMenuCommands() {
    return kMenuCommands;
}

MainPresenter::MainPresenter(ProgramState& state, PlatformServices& services, MainView& view,
                             std::string commandLine)
    : state_(state), services_(services), view_(view), commandLine_(std::move(commandLine)) {}

void MainPresenter::Guarded(const std::function<void()>& step) {
    RunCommand(services_, step);
}

void MainPresenter::Message(const std::string& text) {
    services_.Message(text, kWarningBox);
}

bool MainPresenter::ConversionAllows() {
    if (!state_.Conversions.Runs())
        return true;
    Message(ConversionRunningText(Japanese));
    return false;
}

bool MainPresenter::Start() {
    bool started = false;
    Guarded([this, &started] {
        view_.ShowSplash();
        if (const auto problem = InstallationProblem(
                Japanese, Title, services_.PictureFormats(false), services_.PictureFormats(true))) {
            view_.HideSplash();
            Message(*problem);
            return;
        }
        if (!view_.Build(HasSwitch(commandLine_, "/REGISTRY"))) {
            view_.HideSplash();
            return;
        }
        Guarded([this] { view_.RestorePlacement(); });
        state_.PatternEngine = TSlanter();
        sourceName_.clear();
        if (!Japanese)
            for (const EnglishItem& caption : EnglishCaptions(CaptionForm::Main))
                view_.SetCaption(caption.item, std::string(caption.text));
        state_.SourceBitmap = THandyBitmap();
        state_.TemporaryFiles = std::make_unique<TemporaryPictures>(UserTemporaryLocation());
        state_.WorkingFile = state_.TemporaryFiles->WorkingFileName();
        open_ = true;
        Guarded([this] { RefreshRecentFiles(); });
        view_.Present();
        view_.HideSplash();
        started = true;
    });
    return started;
}

MainPresenter::CloseAnswer MainPresenter::Close() {
    if (state_.Conversions.Runs()) {
        // The conversion reads the picture and the engine that the close frees: it stops
        // first, and the window closes once it has.
        state_.Conversions.Stop([this, alive = std::weak_ptr<bool>(alive_)] {
            if (!alive.expired())
                view_.CloseLater();
        });
        return CloseAnswer::Wait;
    }
    if (closed_)
        return CloseAnswer::AlreadyClosed;
    closed_ = true;
    open_ = false;
    // Each step runs even when one before it failed: a settings store that cannot be
    // written must neither keep the program from ending nor leave its pictures behind.
    if (methodWindow_ != nullptr)
        Guarded([this] { methodWindow_->Close(); });
    Guarded([this] { view_.Hide(); });
    Guarded([this] { view_.SavePlacement(); });
    FreePictures();
    return CloseAnswer::Closed;
}

void MainPresenter::FreePictures() {
    state_.SourceBitmap = THandyBitmap();
    originalPicture_.reset();
    state_.TemporaryFiles.reset();
    state_.WorkingFile.clear();
    state_.SourceFile.clear();
    state_.PatternEngine = TSlanter();
}

void MainPresenter::Open() {
    Guarded([this] {
        if (!ConversionAllows())
            return;
        std::string name = ReadSetting("Folder", "OpenPath", "").Text();
        if (!FileFound(name))
            name.clear();
        const auto chosen = services_.ChooseOpenFile(
            {name, {}, OpenDialogFilter(Japanese, DecodedExtensions()), "bmp"});
        if (chosen)
            OpenFile(*chosen);
    });
}

void MainPresenter::OpenFile(const std::string& fileName) {
    Guarded([this, &fileName] {
        if (!open_)
            return;
        switch (KindOfChosenFile(fileName, DecodedExtensions())) {
        case PictureFileKind::Bitmap:
            OpenBitmapFile(fileName);
            return;
        case PictureFileKind::Icon:
            OpenIconFile(fileName);
            return;
        case PictureFileKind::Picture:
            OpenPictureFile(fileName);
            return;
        case PictureFileKind::Other:
            Message(NotABitmapText(Japanese, fileName));
            return;
        }
    });
}

void MainPresenter::OpenBitmapFile(const std::string& fileName) {
    WriteSetting("Folder", "OpenPath", fileName);
    state_.TemporaryFiles->Writing(state_.WorkingFile);
    if (!CopyFileReplacing(fileName, state_.WorkingFile)) {
        Message(CantCopyText(Japanese, fileName));
        return;
    }
    switch (ShowWorkingFile(fileName)) {
    case Shown::Not:
        return;
    case Shown::Loaded:
        Opened(fileName);
        return;
    case Shown::Refused:
        break;
    }
    const std::string errorText = state_.SourceBitmap.ErrorText();
    if (DecoderMayTake(state_.SourceBitmap)) {
        // A decoder reads what our reader does not (compressed pixels, newer headers,
        // 32 bits, rows top down): the working file becomes the decoded picture.
        THandyBitmap working;
        if (DecodePictureFile(fileName, working).empty()) {
            if (!TakeDecodedPicture(fileName, working))
                ForgetPicture();
            return;
        }
    }
    Message(InvalidFormatText(Japanese, fileName, errorText));
}

void MainPresenter::OpenPictureFile(const std::string& fileName) {
    if (!FileFound(fileName)) {
        Message(CantCopyText(Japanese, fileName));
        return;
    }
    WriteSetting("Folder", "OpenPath", fileName);
    THandyBitmap working;
    if (const std::string reason = DecodePictureFile(fileName, working); !reason.empty()) {
        Message(InvalidFormatText(Japanese, fileName, reason));
        return;
    }
    TakeDecodedPicture(fileName, working);
}

void MainPresenter::OpenIconFile(const std::string& fileName) {
    WriteSetting("Folder", "OpenPath", fileName);
    state_.TemporaryFiles->Writing(state_.WorkingFile);
    const std::string reason = services_.WriteIconFile(fileName, state_.WorkingFile, true);
    if (reason == kBmpFileNotWritten) {
        Message(CantCopyText(Japanese, fileName));
        return;
    }
    if (!reason.empty()) {
        services_.GeneralError(fileName + "\r\n" + reason);
        return;
    }
    KeptLayer kept = IconOpacity(fileName);
    if (LoadWorkingFile(fileName, &kept))
        Opened(fileName);
}

KeptLayer MainPresenter::IconOpacity(const std::string& iconFile) {
    KeptLayer kept;
    const std::string blackFile = state_.WorkingFile + ".black";
    state_.TemporaryFiles->Writing(blackFile);
    THandyBitmap onWhite;
    THandyBitmap onBlack;
    if (services_.WriteIconFile(iconFile, blackFile, false).empty() &&
        onBlack.LoadFromFile(blackFile) && onWhite.LoadFromFile(state_.WorkingFile))
        KeepDrawnOpacity(onWhite, onBlack, kept);
    std::remove(blackFile.c_str());
    return kept;
}

bool MainPresenter::TakeDecodedPicture(const std::string& fileName, THandyBitmap& decoded) {
    // Written before it is shown, so that a folder that cannot be written changes nothing.
    state_.TemporaryFiles->Writing(state_.WorkingFile);
    if (!decoded.SaveToFile(state_.WorkingFile)) {
        Message(CantCopyText(Japanese, fileName));
        return false;
    }
    // The working file holds the cells; transparency, depth and profile stay in memory.
    const bool profileDropped = decoded.Kept().ProfileDropped();
    KeptLayer kept = std::move(decoded.Kept());
    switch (ShowWorkingFile(fileName, &kept)) {
    case Shown::Not:
        return false;
    case Shown::Refused:
        // Our own file, just written: what fails here is memory (a picture too large).
        Message(InvalidFormatText(Japanese, fileName, state_.SourceBitmap.ErrorText()));
        return true;
    case Shown::Loaded:
        Opened(fileName);
        if (profileDropped)
            Message(ProfileDroppedText(Japanese, fileName));
        return true;
    }
    return true;
}

MainPresenter::Shown MainPresenter::ShowWorkingFile(const std::string& name, KeptLayer* kept) {
    // Read aside, so that a file the platform cannot show leaves the picture as it was.
    THandyBitmap incoming;
    const bool loaded = incoming.LoadFromFile(state_.WorkingFile);
    if (loaded && kept != nullptr)
        incoming.Kept() = std::move(*kept);
    const THandyBitmap refused;
    if (const std::string reason =
            view_.ShowPicture(state_.WorkingFile, loaded ? incoming : refused);
        !reason.empty()) {
        services_.GeneralError(name + "\r\n" + reason);
        return Shown::Not;
    }
    state_.SourceBitmap = std::move(incoming);
    if (!loaded) {
        ForgetPicture();
        if (methodWindow_ != nullptr)
            methodWindow_->BringToFront();
        return Shown::Refused;
    }
    state_.PatternEngine.SetSourceSize(SizeOf(state_.SourceBitmap));
    RefreshMethodWindow();
    return Shown::Loaded;
}

bool MainPresenter::LoadWorkingFile(const std::string& name, KeptLayer* kept) {
    switch (ShowWorkingFile(name, kept)) {
    case Shown::Not:
        return false;
    case Shown::Refused:
        Message(InvalidFormatText(Japanese, name, state_.SourceBitmap.ErrorText()));
        return false;
    case Shown::Loaded:
        return true;
    }
    return false;
}

void MainPresenter::OpenDropped(const std::vector<std::string>& fileNames) {
    Guarded([this, &fileNames] {
        if (fileNames.empty() || !ConversionAllows())
            return;
        OpenFile(fileNames.front());
    });
}

void MainPresenter::Opened(const std::string& fileName) {
    NameSource(fileName);
    state_.SourceFile = fileName;
    StoreRecentFiles(WithRecentFile(RecentFiles(), fileName));
}

void MainPresenter::NameSource(const std::string& name) {
    sourceName_ = name;
    sourceFacts_ = {state_.SourceBitmap.biWidth(), state_.SourceBitmap.biHeight(),
                    state_.SourceBitmap.biBitCount()};
    // A new picture: nothing of the one before is kept.
    originalPicture_.reset();
}

std::vector<std::string> MainPresenter::RecentFiles() const {
    const std::int32_t count = ReadSetting(kRecentSection, "Count", std::int32_t{0}).Integer();
    std::vector<std::string> stored;
    for (std::int32_t k = 1; k <= count && k <= std::int32_t{kMostRecentFiles}; ++k)
        stored.push_back(ReadSetting(kRecentSection, "File" + std::to_string(k), "").Text());
    return CleanRecentFiles(stored);
}

void MainPresenter::StoreRecentFiles(const std::vector<std::string>& files) {
    // The count says how many of the names hold: an empty name is never written, so a
    // name left over from a longer list stays behind the count.
    for (std::size_t k = 0; k < files.size(); ++k)
        WriteSetting(kRecentSection, "File" + std::to_string(k + 1), files[k]);
    WriteSetting(kRecentSection, "Count", static_cast<std::int32_t>(files.size()));
    RefreshRecentFiles();
}

void MainPresenter::RefreshRecentFiles() {
    const std::vector<std::string> files = RecentFiles();
    std::vector<std::string> captions;
    for (std::size_t k = 0; k < files.size(); ++k)
        captions.push_back(RecentFileCaption(k, files[k]));
    view_.ShowRecentFiles(captions);
}

void MainPresenter::OpenRecent(std::size_t index) {
    Guarded([this, index] {
        const std::vector<std::string> files = RecentFiles();
        if (index >= files.size())
            return;
        const std::string fileName = files[index];
        if (!FileFound(fileName)) {
            StoreRecentFiles(WithoutRecentFile(files, fileName));
            Message(RecentFileMissingText(Japanese, fileName));
            return;
        }
        if (ConversionAllows())
            OpenFile(fileName);
    });
}

void MainPresenter::Paste() {
    Guarded([this] {
        if (!open_ || !ConversionAllows())
            return;
        const std::string name = ClipboardPictureName(Japanese);
        state_.TemporaryFiles->Writing(state_.WorkingFile);
        switch (services_.PasteBitmap(state_.WorkingFile)) {
        case ClipboardPicture::None:
            Message(NoClipboardBitmapText(Japanese));
            return;
        case ClipboardPicture::NotWritten:
            Message(CantCopyText(Japanese, name));
            return;
        case ClipboardPicture::Written:
            break;
        }
        if (LoadWorkingFile(name)) {
            NameSource(name);
            state_.SourceFile.clear();
        }
    });
}

void MainPresenter::ResizePicture() {
    Guarded([this] {
        if (!open_)
            return;
        if (sourceName_.empty()) {
            Message(NoPictureOpenedText(Japanese));
            return;
        }
        if (!ConversionAllows())
            return;
        const THandyBitmap& original = originalPicture_ ? *originalPicture_ : state_.SourceBitmap;
        const auto chosen = services_.AskPictureSize(SizeOf(original), SizeOf(state_.SourceBitmap));
        if (!chosen)
            return;
        if (!ScaledSizeFits(*chosen)) {
            Message(SizeTooLargeText(Japanese, *chosen));
            return;
        }
        WriteResized(*chosen);
    });
}

void MainPresenter::WriteResized(TPoint size) {
    THandyBitmap& original = originalPicture_ ? *originalPicture_ : state_.SourceBitmap;
    const bool asOpened = size == SizeOf(original);
    bool written = false;
    KeptLayer resizedKept;
    if (const std::string text = WriteResizedWorkingFile(
            original, originalPicture_ != nullptr, size, *state_.TemporaryFiles, state_.WorkingFile,
            Japanese, sourceName_, written, &resizedKept);
        !text.empty()) {
        Message(text);
        return;
    }
    if (!written)
        return;
    // The picture as opened is kept aside before the resized one is read beside it.
    const bool keptNow = !originalPicture_;
    if (keptNow)
        originalPicture_ = std::make_unique<THandyBitmap>(std::move(state_.SourceBitmap));
    const std::string name = sourceName_;
    // Back at its own size the picture takes back all it keeps; resized, what the
    // averaging kept.
    switch (ShowWorkingFile(name, asOpened ? &originalPicture_->Kept() : &resizedKept)) {
    case Shown::Not:
        if (keptNow) {
            state_.SourceBitmap = std::move(*originalPicture_);
            originalPicture_.reset();
        }
        return;
    case Shown::Refused:
        Message(InvalidFormatText(Japanese, name, state_.SourceBitmap.ErrorText()));
        sourceName_.clear();
        originalPicture_.reset();
        return;
    case Shown::Loaded:
        break;
    }
    // The information box tells both sizes; the name stays the file's.
    resizedFrom_ = SizeOf(*originalPicture_);
    sourceFacts_ = {state_.SourceBitmap.biWidth(), state_.SourceBitmap.biHeight(),
                    state_.SourceBitmap.biBitCount()};
    if (asOpened)
        originalPicture_.reset();
}

void MainPresenter::ForgetPicture() {
    TSlanter fresh;
    fresh.SetHorizontal(state_.PatternEngine.Horizontal());
    fresh.SetRightUp(state_.PatternEngine.RightUp());
    fresh.SetSortOnAngle(state_.PatternEngine.SortOnAngle());
    state_.PatternEngine = fresh;
    if (methodWindow_ != nullptr)
        methodWindow_->RefreshList();
}

void MainPresenter::RefreshMethodWindow() {
    if (methodWindow_ == nullptr)
        return;
    methodWindow_->RefreshList();
    methodWindow_->BringToFront();
}

void MainPresenter::ShowMethodWindow() {
    if (methodWindow_ != nullptr)
        Guarded([this] { methodWindow_->BringToFront(); });
}

void MainPresenter::ShowInformation() {
    Guarded([this] {
        // The figures were taken with the name: a later file SourceBitmap refused has left
        // figures of its own in it.
        const std::string text =
            sourceName_.empty() ? NoPictureOpenedText(Japanese)
                                : BitmapInformationText(Japanese, sourceName_, sourceFacts_.width,
                                                        sourceFacts_.height, sourceFacts_.bitCount);
        // A resized picture tells the size it was opened at too.
        const std::string resized = !sourceName_.empty() && originalPicture_
                                        ? OriginalSizeLine(Japanese, resizedFrom_)
                                        : std::string();
        services_.Message(text + resized, kWarningBox, BitmapInformationCaption(Japanese));
    });
}

void MainPresenter::Exit() {
    Guarded([this] { view_.Close(); });
}

void MainPresenter::EraseSettings() {
    Guarded([this] {
        // Nothing may be written after the erasure, not even by the windows as they close.
        SettingsWritable = false;
        slanter::EraseSettings();
        view_.Close();
    });
}

void MainPresenter::ShowHelp() {
    Guarded([this] {
        // Every platform says so alike; its own viewer opens only a file that is there.
        if (!FileFound(HelpFileName))
            services_.Message(HelpNotFoundText(Japanese, HelpFileName), kWarningBox);
        else
            services_.ShowHelp();
    });
}

void MainPresenter::ShowVersion() {
    Guarded([this] { services_.ShowVersionInfo(); });
}

void MainPresenter::ShowCopyright() {
    Guarded([this] { services_.ShowCopyrightInfo(); });
}

} // namespace slanter
