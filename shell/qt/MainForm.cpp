#include "shell/qt/MainForm.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QKeySequence>
#include <QList>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QPointer>
#include <QScrollArea>
#include <QStyle>
#include <QUrl>

#include "bitmap/HandyBitmap.h"
#include "bitmap/PictureDecoder.h"
#include "bitmap/PictureScale.h"
#include "bitmap/WorkingPicture.h"
#include "engine/Slanter.h"
#include "method/qt/MethodForm.h"
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
#include "shell/qt/Clipboard.h"
#include "shell/qt/FormPlacement.h"
#include "shell/qt/GeneralError.h"
#include "shell/qt/Help.h"
#include "shell/qt/InfoBoxes.h"
#include "shell/qt/MessageBox.h"
#include "shell/qt/OpenForm.h"
#include "shell/qt/PictureFiles.h"
#include "shell/qt/PictureSizeDialog.h"
#include "shell/qt/PixelExactPicture.h"
#include "shell/qt/WindowKeys.h"
#include "shell/qt/WindowOnScreen.h"
#include "ui_MainForm.h"

namespace slanter {

TMainForm* MainForm = nullptr;

namespace {

// The English caption of this form's item `item`.
QString English(std::string_view item) {
    return QString::fromStdString(EnglishCaption(CaptionForm::Main, item));
}

// The form file keeps the designed size only; the designed position is set here.
constexpr QPoint kDesignedPosition(24, 21);
// The client area is never narrower, nor narrower than its menu bar needs.
constexpr int kLeastClientWidth = 100;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString FileNameText(const std::string& fileName) {
    return QFile::decodeName(QByteArray::fromStdString(fileName));
}

// The local files among dropped URLs, in their order.
std::vector<std::string> LocalFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (data == nullptr || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            // The path's own bytes: a name that is no UTF-8 stays percent-encoded in the URL.
            files.push_back(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1())
                                .toStdString());
    return files;
}

// The settings store's section of the recent files: "Count" and "File1" to "File8".
constexpr const char* kRecentSection = "RecentFiles";

} // namespace

TMainForm::TMainForm(ProgramState& state, std::string commandLine)
    : ui_(std::make_unique<Ui::MainForm>()), state_(state), commandLine_(std::move(commandLine)) {
    ui_->setupUi(this);
    setGeometry(QRect(kDesignedPosition, size()));
    shownPicture_ = new PixelExactPicture(*ui_->Image1); // freed with Image1
    // Beside a picture smaller than the window the form's own colour shows.
    ui_->ClientArea->viewport()->setBackgroundRole(QPalette::Window);
    NameSeparators();
    OpenDialog1 = {QString(), OpenDialogFilter(true), QStringLiteral("bmp")};

    // A command that fails in a platform layer ends in the general error box.
    const auto route = [this](QAction* action, void (TMainForm::*command)()) {
        connect(action, &QAction::triggered, this,
                [this, command] { RunGuarded([this, command] { (this->*command)(); }); });
    };
    route(ui_->KFileOpen, &TMainForm::KFileOpenClick);
    route(ui_->KFileClipboard, &TMainForm::KFileClipboardClick);
    route(ui_->KFileExit, &TMainForm::KFileExitClick);
    route(ui_->KPictureSize, &TMainForm::KPictureSizeClick);
    route(ui_->KViewMethod, &TMainForm::KViewMethodClick);
    route(ui_->KViewInformation, &TMainForm::KViewInformationClick);
    route(ui_->KHelpHelp, &TMainForm::KHelpHelpClick);
    route(ui_->KHelpDeleteRegistry, &TMainForm::KHelpDeleteRegistryClick);
    route(ui_->KHelpCopyright, &TMainForm::KHelpCopyrightClick);
    route(ui_->KHelpVersion, &TMainForm::KHelpVersionClick);
    // The platform's own keys for the commands that mean the same.
    ui_->KFileOpen->setShortcuts(QKeySequence::Open);
    ui_->KFileClipboard->setShortcuts(QKeySequence::Paste);
    ui_->KFileExit->setShortcuts(
        PlatformKeysOr(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));
    // Opening and quitting concern the whole program: their keys act in each of its windows.
    ui_->KFileOpen->setShortcutContext(Qt::ApplicationShortcut);
    ui_->KFileExit->setShortcutContext(Qt::ApplicationShortcut);

    setAcceptDrops(true);
}

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

void TMainForm::NameSeparators() {
    // The form file cannot name separators; the menus' own names follow their places.
    const auto name = [](QMenu* menu, const QStringList& names) {
        qsizetype next = 0;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator() && next < names.size())
                action->setObjectName(names[next++]);
        }
    };
    name(ui_->KFile, {QStringLiteral("KFileN1")});
    name(ui_->KHelp, {QStringLiteral("KHelpN1"), QStringLiteral("KHelpN2")});
    if (auto* separator = findChild<QAction*>(QStringLiteral("KHelpN2")))
        separator->setVisible(false);
}

bool TMainForm::FormCreate() {
    ShowSplash();
    if (const auto problem =
            InstallationProblem(Japanese, Title, PictureFormats(false), PictureFormats(true))) {
        HideSplash();
        AppMessageBox(Text(*problem), kWarningBox);
        return false;
    }
    RunGuarded([this] { RestoreFormPlacement(*this); });
    PatternEngine = &state_.PatternEngine;
    SourceName.clear();
    if (HasSwitch(commandLine_, "/REGISTRY")) {
        ui_->KHelpDeleteRegistry->setVisible(true);
        if (auto* separator = findChild<QAction*>(QStringLiteral("KHelpN2")))
            separator->setVisible(true);
    }
    if (!Japanese)
        SetEnglishCaptions();
    KeepMenuBarWhole();
    SourceBitmap = &state_.SourceBitmap;
    state_.TemporaryFiles = std::make_unique<TemporaryPictures>(UserTemporaryLocation());
    TemporaryFiles = state_.TemporaryFiles.get();
    state_.WorkingFile = state_.TemporaryFiles->WorkingFileName();
    WorkingFile = state_.WorkingFile;
    RunGuarded([this] { RefreshRecentFiles(); });
    show();
    raise();
    activateWindow();
    HideSplash();
    return true;
}

void TMainForm::SetEnglishCaptions() {
    ui_->KFile->setTitle(English("KFile"));
    ui_->KFileOpen->setText(English("KFileOpen"));
    ui_->KFileClipboard->setText(English("KFileClipboard"));
    ui_->KFileExit->setText(English("KFileExit"));
    ui_->KPicture->setTitle(English("KPicture"));
    ui_->KPictureSize->setText(English("KPictureSize"));
    ui_->KView->setTitle(English("KView"));
    ui_->KViewMethod->setText(English("KViewMethod"));
    ui_->KViewInformation->setText(English("KViewInformation"));
    ui_->KHelp->setTitle(English("KHelp"));
    ui_->KHelpHelp->setText(English("KHelpHelp"));
    ui_->KHelpDeleteRegistry->setText(English("KHelpDeleteRegistry"));
    ui_->KHelpCopyright->setText(English("KHelpCopyright"));
    ui_->KHelpVersion->setText(English("KHelpVersion"));
    OpenDialog1.filter = OpenDialogFilter(false);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (state_.Conversions.Runs()) {
        // The conversion reads the picture and the engine that the close frees: it stops
        // first, and the window closes once it has.
        state_.Conversions.Stop([window = QPointer<TMainForm>(this)] {
            if (window)
                QMetaObject::invokeMethod(
                    window, [window] { window->close(); }, Qt::QueuedConnection);
        });
        event->ignore();
        return;
    }
    if (!closed_) {
        closed_ = true;
        FormClose();
        emit Closed();
    }
    event->accept();
}

void TMainForm::FormClose() {
    // Each step runs even when one before it failed: a settings store that cannot be
    // written must neither keep the program from ending nor leave its pictures behind.
    if (MethodForm != nullptr)
        MethodForm->close();
    hide();
    RunGuarded([this] { SaveFormPlacement(*this); });
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
    OpenDialog1.fileName = QFile::decodeName(QByteArray::fromStdString(name));
    const auto chosen = RunOpenDialog(this, OpenDialog1);
    if (!chosen)
        return;
    // The round trip through QString is exact for every name the dialog can offer: Qt's
    // directory listing leaves out names that are no text in the system's encoding, and a
    // QString could not hold their bytes. Such files open by a drop or the command line.
    OpenChosenFile(QFile::encodeName(*chosen).toStdString());
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
    const DecodedPicture decoded = DecodePicture(state_.WorkingFile);
    if (decoded.image.isNull()) {
        DecoderFailed(fileName, decoded.error);
        return;
    }
    const QImage picture = OnWhite(decoded.image);
    TakePicture(picture);
    if (state_.SourceBitmap.LoadFromFile(state_.WorkingFile)) {
        Opened(fileName);
        return;
    }
    const std::string errorText = state_.SourceBitmap.ErrorText();
    if (DecoderMayTake(state_.SourceBitmap)) {
        // The platform reads what our reader does not (compressed pixels, newer headers,
        // 32 bits, rows top down): the working file becomes the decoded picture.
        THandyBitmap working;
        if (DecodePictureFile(fileName, working).empty()) {
            if (!TakeDecodedPicture(fileName, working))
                ForgetPicture();
            return;
        }
    }
    ForgetPicture();
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

bool TMainForm::TakeDecodedPicture(const std::string& fileName, THandyBitmap& decoded) {
    // Written before it is shown, so that a folder that cannot be written changes nothing.
    state_.TemporaryFiles->Writing(state_.WorkingFile);
    if (!decoded.SaveToFile(state_.WorkingFile)) {
        Message(CantCopyText(Japanese, fileName));
        return false;
    }
    // The window shows the working file, so that it shows what is converted.
    const DecodedPicture shown = DecodePicture(state_.WorkingFile);
    if (shown.image.isNull()) {
        DecoderFailed(fileName, shown.error);
        return false;
    }
    TakePicture(shown.image);
    if (LoadWorkingFile(fileName))
        Opened(fileName);
    return true;
}

void TMainForm::OpenIconFile(const std::string& fileName) {
    WriteSetting("Folder", "OpenPath", fileName);
    const DecodedPicture icon = DecodeIcon(fileName, StandardIconSize());
    if (icon.image.isNull()) {
        DecoderFailed(fileName, icon.error);
        return;
    }
    // Written before it is shown, so that a folder that cannot be written changes nothing.
    if (!SaveWorkingFile(icon.image)) {
        Message(CantCopyText(Japanese, fileName));
        return;
    }
    TakePicture(icon.image);
    if (LoadWorkingFile(fileName))
        Opened(fileName);
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

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    const std::vector<std::string> files = LocalFiles(event->mimeData());
    if (files.empty())
        return;
    event->acceptProposedAction();
    // The boxes the opening raises wait until the drop has been answered, so that the
    // program the file was dragged from is not held until OK is pressed.
    struct Box {
        QString text;
        int flags;
        QString caption;
    };
    std::vector<Box> held;
    const MessageBoxShower previous =
        SetMessageBoxShower([&held](const QString& text, int flags, const QString& caption) {
            held.push_back({text, flags, caption});
            return kOkButton;
        });
    RunGuarded([this, &files] { OpenDroppedFiles(files); });
    SetMessageBoxShower(previous);
    for (const Box& box : held)
        QMetaObject::invokeMethod(
            this,
            // The caption comes finished; AppMessageBox puts back the two blanks it takes.
            [box] { AppMessageBox(box.text, box.flags, box.caption.mid(2)); },
            Qt::QueuedConnection);
}

void TMainForm::Opened(const std::string& fileName) {
    NameSource(fileName);
    SourceFile = state_.SourceFile = fileName;
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
    // The entries are made once, owned by the window; the menu holds those in use.
    if (recentActions_.empty()) {
        for (std::size_t k = 0; k < kMostRecentFiles; ++k) {
            auto* action = new QAction(this);
            action->setObjectName(QStringLiteral("KFileRecent%1").arg(k + 1));
            connect(action, &QAction::triggered, this,
                    [this, k] { RunGuarded([this, k] { KFileRecentClick(k); }); });
            recentActions_.push_back(action);
        }
        auto* separator = new QAction(this);
        separator->setSeparator(true);
        separator->setObjectName(QStringLiteral("KFileN2"));
        recentActions_.push_back(separator);
    }
    for (QAction* action : recentActions_)
        ui_->KFile->removeAction(action);
    const std::vector<std::string> files = RecentFiles();
    if (files.empty())
        return;
    for (std::size_t k = 0; k < files.size(); ++k) {
        recentActions_[k]->setText(FileNameText(RecentFileCaption(k, files[k])));
        ui_->KFile->insertAction(ui_->KFileExit, recentActions_[k]);
    }
    ui_->KFile->insertAction(ui_->KFileExit, recentActions_.back());
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
    const auto bitmap = ClipboardBitmap();
    if (!bitmap) {
        Message(NoClipboardBitmapText(Japanese));
        return;
    }
    const QImage picture = OnWhite(*bitmap);
    const std::string name = ClipboardPictureName(Japanese);
    if (!SaveWorkingFile(picture)) {
        Message(CantCopyText(Japanese, name));
        return;
    }
    TakePicture(picture);
    if (LoadWorkingFile(name)) {
        NameSource(name);
        SourceFile.clear();
        state_.SourceFile.clear();
    }
}

bool TMainForm::SaveWorkingFile(const QImage& picture) {
    state_.TemporaryFiles->Writing(state_.WorkingFile);
    return SaveAsBmp(picture, state_.WorkingFile);
}

void TMainForm::TakePicture(const QImage& picture) {
    shownPicture_->SetPicture(picture);
    ui_->Image1->resize(picture.size());
    FitToImage();
    RefreshMethodWindow();
}

bool TMainForm::LoadWorkingFile(const std::string& name) {
    if (state_.SourceBitmap.LoadFromFile(state_.WorkingFile))
        return true;
    // Our own file, just written: what fails here is memory (a picture too large for it).
    const std::string errorText = state_.SourceBitmap.ErrorText();
    ForgetPicture();
    Message(InvalidFormatText(Japanese, name, errorText));
    return false;
}

void TMainForm::NameSource(const std::string& name) {
    SourceName = name;
    sourceFacts_ = {state_.SourceBitmap.biWidth(), state_.SourceBitmap.biHeight(),
                    state_.SourceBitmap.biBitCount()};
    // A new picture: nothing of the one before is kept.
    originalPicture_.reset();
}

void TMainForm::KPictureSizeClick() {
    if (!state_.TemporaryFiles)
        return;
    if (SourceName.empty()) {
        Message(NoPictureOpenedText(Japanese));
        return;
    }
    if (state_.Conversions.Runs()) {
        Message(ConversionRunningText(Japanese));
        return;
    }
    const THandyBitmap& original = originalPicture_ ? *originalPicture_ : state_.SourceBitmap;
    const auto chosen =
        AskPictureSize(this, Japanese, {original.biWidth(), original.biHeight()},
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
            Japanese, SourceName, written);
        !text.empty()) {
        Message(text);
        return;
    }
    if (!written)
        return;
    const DecodedPicture shown = DecodePicture(state_.WorkingFile);
    if (shown.image.isNull()) {
        DecoderFailed(SourceName, shown.error);
        return;
    }
    if (!originalPicture_)
        originalPicture_ = std::make_unique<THandyBitmap>(std::move(state_.SourceBitmap));
    TakePicture(shown.image);
    const std::string name = SourceName;
    if (!LoadWorkingFile(name)) {
        SourceName.clear();
        originalPicture_.reset();
        return;
    }
    // The information box tells both sizes; the name stays the file's.
    const TPoint opened{originalPicture_->biWidth(), originalPicture_->biHeight()};
    sourceFacts_ = {state_.SourceBitmap.biWidth(), state_.SourceBitmap.biHeight(),
                    state_.SourceBitmap.biBitCount()};
    if (asOpened)
        originalPicture_.reset();
    else
        resizedFrom_ = opened;
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

void TMainForm::FitToImage() {
    // Leaving the maximized state, the window goes back to the user's normal place; a
    // window manager takes its time with the state, so the place is given with each size
    // here, or the maximized origin would be sent along and kept.
    const QRect normal = normalGeometry();
    const QPoint origin = (windowState() & Qt::WindowMaximized) && normal.isValid()
                              ? normal.topLeft()
                              : geometry().topLeft();
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    const QSize picture = ui_->Image1->size();
    QScrollArea& area = *ui_->ClientArea;
    // The client area is the whole scroll area. Its scroll bars stay out while the window
    // is fitted, or a bar shown at a step on the way would keep taking room at the end;
    // afterwards they show only what the window could not be made large enough for.
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Each pass changes the outer size by what the client lacks; the menu bar's height
    // may change with the width, so the passes repeat until both sides have settled. No
    // pass takes the window past the usable area of its screen.
    const int leastWidth = std::max(kLeastClientWidth, MenuBarWidth());
    const auto widthPass = [&] {
        const int wanted = std::max(picture.width(), leastWidth);
        ResizeOnScreen(*this, QSize(width() + wanted - area.width(), height()), origin);
    };
    const auto heightPass = [&] {
        ResizeOnScreen(*this, QSize(width(), height() + picture.height() - area.height()), origin);
    };
    widthPass();
    heightPass();
    widthPass();
    heightPass();
    heightPass();
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    state_.PatternEngine.SetSourceSize({picture.width(), picture.height()});
}

int TMainForm::MenuBarWidth() const {
    // Qt lays every menu out at its full size and hides the ones that do not fit behind
    // an extension button; the bar needs room up to the right edge of the last one.
    const QMenuBar& bar = *ui_->MainMenu1;
    int right = 0;
    for (QAction* menu : bar.actions()) {
        if (menu->isVisible())
            right = std::max(right, bar.actionGeometry(menu).right() + 1);
    }
    const int margin = bar.style()->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, &bar) +
                       bar.style()->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, &bar);
    return right + margin;
}

void TMainForm::KeepMenuBarWhole() {
    // Qt does not wrap a menu bar: a window narrower than its menus would hide some. The
    // bar spans the window's whole width.
    setMinimumWidth(MenuBarWidth());
}

void TMainForm::KFileExitClick() {
    close();
}

void TMainForm::KViewMethodClick() {
    if (MethodForm != nullptr)
        MethodForm->BringToFront();
}

void TMainForm::KViewInformationClick() {
    // The figures were taken with the name: a later file SourceBitmap refused has left
    // figures of its own in it.
    const std::string text =
        SourceName.empty() ? NoPictureOpenedText(Japanese)
                           : BitmapInformationText(Japanese, SourceName, sourceFacts_.width,
                                                   sourceFacts_.height, sourceFacts_.bitCount);
    // A resized picture tells the size it was opened at too.
    const std::string resized = !SourceName.empty() && originalPicture_
                                    ? OriginalSizeLine(Japanese, resizedFrom_)
                                    : std::string();
    AppMessageBox(Text(text + resized), kWarningBox, Text(BitmapInformationCaption(Japanese)));
}

void TMainForm::KHelpHelpClick() {
    ShowHelp(this);
}

void TMainForm::KHelpDeleteRegistryClick() {
    // Nothing may be written after the erasure, not even by the windows as they close.
    SettingsWritable = false;
    EraseSettings();
    close();
}

void TMainForm::KHelpVersionClick() {
    ShowVersionInfo();
}

void TMainForm::KHelpCopyrightClick() {
    ShowCopyrightInfo();
}

void TMainForm::DecoderFailed(const std::string& fileName, const QString& reason) {
    ShowGeneralError(FileNameText(fileName) + QStringLiteral("\r\n") + reason);
}

void TMainForm::Message(const std::string& text) {
    AppMessageBox(Text(text), kWarningBox);
}

} // namespace slanter
