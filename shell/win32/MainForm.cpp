#include "shell/win32/MainForm.h"

#include <algorithm>
#include <utility>

#include <shellapi.h>

#include "bitmap/HandyBitmap.h"
#include "bitmap/PictureDecoder.h"
#include "bitmap/PictureScale.h"
#include "bitmap/WorkingPicture.h"
#include "engine/Slanter.h"
#include "forms/FormTable.h"
#include "method/win32/MethodForm.h"
#include "shell/ConversionGuard.h"
#include "shell/EnglishCaptions.h"
#include "shell/FileCopy.h"
#include "shell/FileFound.h"
#include "shell/General.h"
#include "shell/InstallationCheck.h"
#include "shell/Language.h"
#include "shell/MainTexts.h"
#include "shell/PictureFileKind.h"
#include "shell/PictureSizeChoice.h"
#include "shell/ProgramState.h"
#include "shell/RecentFiles.h"
#include "shell/SettingsStore.h"
#include "shell/SharedObjects.h"
#include "shell/TemporaryPictures.h"
#include "shell/WorkingResize.h"
#include "shell/win32/Clipboard.h"
#include "shell/win32/FileDialogs.h"
#include "shell/win32/FormPlacement.h"
#include "shell/win32/Help.h"
#include "shell/win32/IconPicture.h"
#include "shell/win32/MessageBox.h"
#include "shell/win32/PictureSizeDialog.h"
#include "shell/win32/SplashForm.h"
#include "shell/win32/WideText.h"
#include "shell/win32/WorkArea.h"

namespace slanter {

TMainForm* MainForm = nullptr;

namespace {

// The English caption of this form's item `item`.
std::string English(std::string_view item) {
    return EnglishCaption(CaptionForm::Main, item);
}

constexpr DesignedForm kForm = designed::kMainForm;
// The client area is never narrower, nor narrower than its menu bar needs.
constexpr int kLeastClientWidth = 100;
constexpr const char* kRecentSection = "RecentFiles";

// The formats the installation must read and write: our reader and writer always hold
// BMP; icons come through the system.
std::vector<std::string> ReadFormats() {
    std::vector<std::string> formats = DecodedExtensions();
    formats.push_back("bmp");
    formats.push_back("ico");
    return formats;
}

} // namespace

TMainForm::TMainForm(ProgramState& state, std::string commandLine)
    : state_(state), commandLine_(std::move(commandLine)) {}

TMainForm::~TMainForm() {
    if (PatternEngine == &state_.PatternEngine)
        PatternEngine = nullptr;
    if (SourceBitmap == &state_.SourceBitmap)
        SourceBitmap = nullptr;
    if (TemporaryFiles == state_.TemporaryFiles.get()) {
        TemporaryFiles = nullptr;
        WorkingFile.clear();
    }
}

bool TMainForm::FormCreate() {
    ShowSplash();
    if (const auto problem = InstallationProblem(Japanese, Title, ReadFormats(), {"bmp"})) {
        HideSplash();
        AppMessageBox(*problem, kWarningBox);
        return false;
    }
    std::set<std::string> leftOut;
    if (!HasSwitch(commandLine_, "/REGISTRY"))
        leftOut.insert("KHelpDeleteRegistry");
    menu_ = std::make_unique<DesignedMenu>(kForm, "MainMenu1", *this, leftOut);
    const DesignedItem& designed = Designed(kForm, "MainForm");
    WindowArgs args;
    args.title = std::string(designed.text);
    args.menu = menu_->Bar();
    args.left = Scaled(designed.x);
    args.top = Scaled(designed.y);
    args.clientWidth = Scaled(designed.width);
    args.clientHeight = Scaled(designed.height);
    args.exStyle = WS_EX_ACCEPTFILES;
    if (!Create(args))
        return false;
    clientArea_.Create(Hwnd(), [this](HDC dc, const RECT& dirty) {
        picture_.Draw(dc, {dirty.left, dirty.top}, dirty);
    });
    const SIZE client = ClientSize();
    OnSize(client.cx, client.cy);

    menu_->SetHandler("KFileOpen", [this] { RunGuarded([this] { KFileOpenClick(); }); });
    menu_->SetHandler("KFileClipboard", [this] { RunGuarded([this] { KFileClipboardClick(); }); });
    menu_->SetHandler("KFileExit", [this] { KFileExitClick(); });
    menu_->SetHandler("KPictureSize", [this] { RunGuarded([this] { KPictureSizeClick(); }); });
    menu_->SetHandler("KViewMethod", [this] { KViewMethodClick(); });
    menu_->SetHandler("KViewInformation", [this] { KViewInformationClick(); });
    menu_->SetHandler("KHelpHelp", [this] { KHelpHelpClick(); });
    menu_->SetHandler("KHelpDeleteRegistry",
                      [this] { RunGuarded([this] { KHelpDeleteRegistryClick(); }); });
    menu_->SetHandler("KHelpCopyright", [this] { KHelpCopyrightClick(); });
    menu_->SetHandler("KHelpVersion", [this] { KHelpVersionClick(); });

    RunGuarded([this] { RestoreFormPlacement(Hwnd(), "MainForm"); });
    PatternEngine = &state_.PatternEngine;
    sourceName_.clear();
    if (!Japanese)
        SetEnglishCaptions();
    SourceBitmap = &state_.SourceBitmap;
    state_.TemporaryFiles = std::make_unique<TemporaryPictures>(UserTemporaryLocation());
    TemporaryFiles = state_.TemporaryFiles.get();
    state_.WorkingFile = state_.TemporaryFiles->WorkingFileName();
    WorkingFile = state_.WorkingFile;
    RunGuarded([this] { RefreshRecentFiles(); });
    HideSplash();
    return true;
}

void TMainForm::SetEnglishCaptions() {
    menu_->SetText("KFile", English("KFile"));
    menu_->SetText("KFileOpen", English("KFileOpen"));
    menu_->SetText("KFileClipboard", English("KFileClipboard"));
    menu_->SetText("KFileExit", English("KFileExit"));
    menu_->SetText("KPicture", English("KPicture"));
    menu_->SetText("KPictureSize", English("KPictureSize"));
    menu_->SetText("KView", English("KView"));
    menu_->SetText("KViewMethod", English("KViewMethod"));
    menu_->SetText("KViewInformation", English("KViewInformation"));
    menu_->SetText("KHelp", English("KHelp"));
    menu_->SetText("KHelpHelp", English("KHelpHelp"));
    menu_->SetText("KHelpDeleteRegistry", English("KHelpDeleteRegistry"));
    menu_->SetText("KHelpCopyright", English("KHelpCopyright"));
    menu_->SetText("KHelpVersion", English("KHelpVersion"));
}

void TMainForm::OnSize(int width, int height) {
    if (clientArea_.Hwnd() != nullptr)
        MoveWindow(clientArea_.Hwnd(), 0, 0, width, height, TRUE);
}

bool TMainForm::OnKeyDown(WPARAM key) {
    // The system's own keys for the commands that mean the same.
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0)
        return false;
    if (key == 'O') {
        RunCommand(menu_->Id("KFileOpen"));
        return true;
    }
    if (key == 'V') {
        RunCommand(menu_->Id("KFileClipboard"));
        return true;
    }
    return false;
}

void TMainForm::OnClose() {
    if (state_.Conversions.Runs()) {
        // The conversion reads the picture and the engine that the close frees: it stops
        // first, and the window closes once it has.
        state_.Conversions.Stop([hwnd = Hwnd()] { PostMessageW(hwnd, WM_CLOSE, 0, 0); });
        return;
    }
    if (closed_)
        return;
    closed_ = true;
    FormClose();
    if (Closed)
        Closed();
}

void TMainForm::FormClose() {
    // Each step runs even when one before it failed: a settings store that cannot be
    // written must neither keep the program from ending nor leave its pictures behind.
    if (MethodForm != nullptr)
        MethodForm->Close();
    RunGuarded([this] { SaveFormPlacement(Hwnd(), "MainForm"); });
    Hide();
    SourceBitmap = nullptr;
    state_.SourceBitmap = THandyBitmap();
    TemporaryFiles = nullptr;
    WorkingFile.clear();
    state_.WorkingFile.clear();
    state_.TemporaryFiles.reset();
    PatternEngine = nullptr;
}

void TMainForm::KFileOpenClick() {
    if (state_.Conversions.Runs()) {
        Message(ConversionRunningText(Japanese));
        return;
    }
    std::string name = ReadSetting("Folder", "OpenPath", "").Text();
    if (!FileFound(name))
        name.clear();
    const auto chosen = RunOpenDialog(Hwnd(), {name, {}, OpenDialogFilter(Japanese), "bmp"});
    if (chosen)
        OpenChosenFile(*chosen);
}

void TMainForm::OpenChosenFile(const std::string& fileName) {
    if (!state_.TemporaryFiles)
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
}

void TMainForm::OpenBitmapFile(const std::string& fileName) {
    WriteSetting("Folder", "OpenPath", fileName);
    state_.TemporaryFiles->Writing(state_.WorkingFile);
    if (!CopyFileReplacing(fileName, state_.WorkingFile)) {
        Message(CantCopyText(Japanese, fileName));
        return;
    }
    if (LoadWorkingFile()) {
        Opened(fileName);
        return;
    }
    const std::string errorText = state_.SourceBitmap.ErrorText();
    if (DecoderMayTake(state_.SourceBitmap)) {
        // The platform reads what our reader does not (compressed pixels, newer headers,
        // 32 bits, rows top down): the working file becomes the decoded picture.
        THandyBitmap working;
        if (DecodePictureFile(fileName, working).empty()) {
            TakeDecodedPicture(fileName, working);
            return;
        }
    }
    Message(InvalidFormatText(Japanese, fileName, errorText));
}

void TMainForm::OpenPictureFile(const std::string& fileName) {
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

void TMainForm::OpenIconFile(const std::string& fileName) {
    WriteSetting("Folder", "OpenPath", fileName);
    THandyBitmap icon;
    if (!DecodeIconFile(fileName, StandardIconSize(), icon)) {
        // As the Linux program reports a decoder's failure: the general error box.
        ShowGeneralError(fileName + "\r\n" +
                         (Japanese ? "アイコンを読めません。" : "The icon can't be read."));
        return;
    }
    TakeDecodedPicture(fileName, icon);
}

bool TMainForm::TakeDecodedPicture(const std::string& fileName, THandyBitmap& decoded) {
    // Written before it is shown, so that a folder that cannot be written changes nothing.
    state_.TemporaryFiles->Writing(state_.WorkingFile);
    if (!decoded.SaveToFile(state_.WorkingFile)) {
        Message(CantCopyText(Japanese, fileName));
        return false;
    }
    if (LoadWorkingFile())
        Opened(fileName);
    return true;
}

bool TMainForm::LoadWorkingFile() {
    if (!state_.SourceBitmap.LoadFromFile(state_.WorkingFile)) {
        // What is shown is what would be converted: nothing.
        picture_ = ScreenPicture();
        FitToImage();
        ForgetPicture();
        return false;
    }
    // The window shows the working file, so that it shows what is converted.
    picture_ = ScreenPicture(state_.SourceBitmap);
    FitToImage();
    RefreshMethodWindow();
    return true;
}

void TMainForm::OpenDroppedFiles(const std::vector<std::string>& fileNames) {
    if (fileNames.empty())
        return;
    if (state_.Conversions.Runs()) {
        Message(ConversionRunningText(Japanese));
        return;
    }
    OpenChosenFile(fileNames.front());
}

void TMainForm::OnDropFiles(const std::vector<std::string>& files) {
    RunGuarded([this, &files] { OpenDroppedFiles(files); });
}

void TMainForm::Opened(const std::string& fileName) {
    NameSource(fileName);
    state_.SourceFile = fileName;
    StoreRecentFiles(WithRecentFile(RecentFiles(), fileName));
}

std::vector<std::string> TMainForm::RecentFiles() const {
    const std::int32_t count = ReadSetting(kRecentSection, "Count", std::int32_t{0}).Integer();
    std::vector<std::string> stored;
    for (std::int32_t k = 1; k <= count && k <= std::int32_t{kMostRecentFiles}; ++k)
        stored.push_back(ReadSetting(kRecentSection, "File" + std::to_string(k), "").Text());
    return CleanRecentFiles(stored);
}

void TMainForm::StoreRecentFiles(const std::vector<std::string>& files) {
    // The count says how many of the names hold: an empty name is never written, so a
    // name left over from a longer list stays behind the count.
    for (std::size_t k = 0; k < files.size(); ++k)
        WriteSetting(kRecentSection, "File" + std::to_string(k + 1), files[k]);
    WriteSetting(kRecentSection, "Count", static_cast<std::int32_t>(files.size()));
    RefreshRecentFiles();
}

void TMainForm::RefreshRecentFiles() {
    HMENU file = menu_->Menu("KFile");
    // The commands are made once; the menu holds those in use, the separator last.
    if (recentIds_.empty()) {
        for (std::size_t k = 0; k < kMostRecentFiles; ++k)
            recentIds_.push_back(
                NewCommand([this, k] { RunGuarded([this, k] { KFileRecentClick(k); }); }));
        recentIds_.push_back(NewCommand({}));
    }
    for (const int id : recentIds_)
        DeleteMenu(file, static_cast<UINT>(id), MF_BYCOMMAND);
    const std::vector<std::string> files = RecentFiles();
    if (files.empty())
        return;
    const UINT exitId = static_cast<UINT>(menu_->Id("KFileExit"));
    for (std::size_t k = 0; k < files.size(); ++k)
        InsertMenuW(file, exitId, MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(recentIds_[k]),
                    WideText(RecentFileCaption(k, files[k])).c_str());
    InsertMenuW(file, exitId, MF_BYCOMMAND | MF_SEPARATOR, static_cast<UINT_PTR>(recentIds_.back()),
                nullptr);
}

void TMainForm::KFileRecentClick(std::size_t index) {
    const std::vector<std::string> files = RecentFiles();
    if (index >= files.size())
        return;
    const std::string fileName = files[index];
    if (!FileFound(fileName)) {
        StoreRecentFiles(WithoutRecentFile(files, fileName));
        Message(RecentFileMissingText(Japanese, fileName));
        return;
    }
    if (state_.Conversions.Runs()) {
        Message(ConversionRunningText(Japanese));
        return;
    }
    OpenChosenFile(fileName);
}

void TMainForm::KFileClipboardClick() {
    if (!state_.TemporaryFiles)
        return;
    if (state_.Conversions.Runs()) {
        Message(ConversionRunningText(Japanese));
        return;
    }
    const auto dib = ClipboardDib();
    if (!dib) {
        Message(NoClipboardBitmapText(Japanese));
        return;
    }
    const std::string name = ClipboardPictureName(Japanese);
    state_.TemporaryFiles->Writing(state_.WorkingFile);
    if (!SaveDibAsBmp(*dib, state_.WorkingFile)) {
        Message(CantCopyText(Japanese, name));
        return;
    }
    if (LoadWorkingFile()) {
        NameSource(name);
        state_.SourceFile.clear();
    }
}

void TMainForm::NameSource(const std::string& name) {
    sourceName_ = name;
    sourceFacts_ = {state_.SourceBitmap.biWidth(), state_.SourceBitmap.biHeight(),
                    state_.SourceBitmap.biBitCount()};
    // A new picture: nothing of the one before is kept.
    originalPicture_.reset();
}

void TMainForm::KPictureSizeClick() {
    if (!state_.TemporaryFiles)
        return;
    if (sourceName_.empty()) {
        Message(NoPictureOpenedText(Japanese));
        return;
    }
    if (state_.Conversions.Runs()) {
        Message(ConversionRunningText(Japanese));
        return;
    }
    const THandyBitmap& original = originalPicture_ ? *originalPicture_ : state_.SourceBitmap;
    const auto chosen =
        AskPictureSize(Hwnd(), Japanese, {original.biWidth(), original.biHeight()},
                       {state_.SourceBitmap.biWidth(), state_.SourceBitmap.biHeight()});
    if (!chosen)
        return;
    if (!ScaledSizeFits(*chosen)) {
        Message(SizeTooLargeText(Japanese, *chosen));
        return;
    }
    ResizePicture(*chosen);
}

void TMainForm::ResizePicture(TPoint size) {
    THandyBitmap& original = originalPicture_ ? *originalPicture_ : state_.SourceBitmap;
    const bool asOpened = size == TPoint{original.biWidth(), original.biHeight()};
    bool written = false;
    if (const std::string text = WriteResizedWorkingFile(
            original, originalPicture_ != nullptr, size, *state_.TemporaryFiles, state_.WorkingFile,
            Japanese, sourceName_, written);
        !text.empty()) {
        Message(text);
        return;
    }
    if (!written)
        return;
    if (!originalPicture_)
        originalPicture_ = std::make_unique<THandyBitmap>(std::move(state_.SourceBitmap));
    if (!LoadWorkingFile()) {
        Message(InvalidFormatText(Japanese, sourceName_, state_.SourceBitmap.ErrorText()));
        sourceName_.clear();
        originalPicture_.reset();
        return;
    }
    // The information box tells both sizes; the name stays the file's.
    resizedFrom_ = {originalPicture_->biWidth(), originalPicture_->biHeight()};
    sourceFacts_ = {state_.SourceBitmap.biWidth(), state_.SourceBitmap.biHeight(),
                    state_.SourceBitmap.biBitCount()};
    if (asOpened)
        originalPicture_.reset();
}

void TMainForm::ForgetPicture() {
    TSlanter fresh;
    fresh.SetHorizontal(state_.PatternEngine.Horizontal());
    fresh.SetRightUp(state_.PatternEngine.RightUp());
    fresh.SetSortOnAngle(state_.PatternEngine.SortOnAngle());
    state_.PatternEngine = fresh;
    if (MethodForm != nullptr)
        MethodForm->RefreshList();
}

void TMainForm::RefreshMethodWindow() {
    if (MethodForm == nullptr)
        return;
    MethodForm->RefreshList();
    MethodForm->BringToFront();
}

int TMainForm::MenuBarWidth() const {
    const int count = GetMenuItemCount(menu_->Bar());
    RECT last{};
    if (count <= 0 || !GetMenuItemRect(Hwnd(), menu_->Bar(), static_cast<UINT>(count - 1), &last))
        return 0;
    POINT clientOrigin{0, 0};
    ClientToScreen(Hwnd(), &clientOrigin);
    return last.right - clientOrigin.x + GetSystemMetrics(SM_CXEDGE);
}

void TMainForm::FitToImage() {
    // Leaving the maximized state, the window goes back to the user's normal place.
    if (IsZoomed(Hwnd()) || IsIconic(Hwnd()))
        ShowWindow(Hwnd(), IsWindowVisible(Hwnd()) ? SW_RESTORE : SW_HIDE);
    // No scroll bar may take room while the window is fitted; afterwards they show what
    // the work area could not hold.
    clientArea_.SetCanvasSize(0, 0);
    const int width =
        std::max({picture_.Width(), Scaled(kLeastClientWidth, WindowDpi(Hwnd())), MenuBarWidth()});
    SetClientSize(width, picture_.Height());
    KeepOnWorkArea(Hwnd());
    clientArea_.ScrollTo(0, 0);
    clientArea_.SetCanvasSize(picture_.Width(), picture_.Height());
    state_.PatternEngine.SetSourceSize({picture_.Width(), picture_.Height()});
}

void TMainForm::KFileExitClick() {
    Close();
}

void TMainForm::KViewMethodClick() {
    if (MethodForm != nullptr)
        MethodForm->BringToFront();
}

void TMainForm::KViewInformationClick() {
    const std::string text =
        sourceName_.empty() ? NoPictureOpenedText(Japanese)
                            : BitmapInformationText(Japanese, sourceName_, sourceFacts_.width,
                                                    sourceFacts_.height, sourceFacts_.bitCount);
    // A resized picture tells the size it was opened at too.
    const std::string resized = !sourceName_.empty() && originalPicture_
                                    ? OriginalSizeLine(Japanese, resizedFrom_)
                                    : std::string();
    AppMessageBox(text + resized, kWarningBox, BitmapInformationCaption(Japanese));
}

void TMainForm::KHelpHelpClick() {
    ShowHelp(Hwnd());
}

void TMainForm::KHelpDeleteRegistryClick() {
    // Nothing may be written after the erasure, not even by the windows as they close.
    SettingsWritable = false;
    EraseSettings();
    Close();
}

void TMainForm::KHelpVersionClick() {
    ShowVersionInfo();
}

void TMainForm::KHelpCopyrightClick() {
    ShowCopyrightInfo();
}

void TMainForm::Message(const std::string& text) {
    AppMessageBox(text, kWarningBox);
}

} // namespace slanter
