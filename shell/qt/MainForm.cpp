#include "shell/qt/MainForm.h"

#include <algorithm>
#include <utility>

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QScrollArea>

#include "bitmap/ErrorTexts.h"
#include "bitmap/HandyBitmap.h"
#include "engine/Slanter.h"
#include "method/qt/MethodForm.h"
#include "shell/ConversionGuard.h"
#include "shell/FileCopy.h"
#include "shell/FileFound.h"
#include "shell/General.h"
#include "shell/InstallationCheck.h"
#include "shell/Language.h"
#include "shell/MainTexts.h"
#include "shell/PictureFileKind.h"
#include "shell/SharedObjects.h"
#include "shell/TemporaryPictures.h"
#include "shell/qt/Clipboard.h"
#include "shell/qt/FormPlacement.h"
#include "shell/qt/GeneralError.h"
#include "shell/qt/Help.h"
#include "shell/qt/InfoBoxes.h"
#include "shell/qt/MessageBox.h"
#include "shell/qt/OpenForm.h"
#include "shell/qt/PictureFiles.h"
#include "shell/qt/SettingsStore.h"
#include "ui_MainForm.h"

namespace slanter {

TMainForm* MainForm = nullptr;

namespace {

// The form file keeps the designed size only; the designed position is set here.
constexpr QPoint kDesignedPosition(24, 21);
// The client area is never narrower, so the menu bar keeps its room.
constexpr int kLeastClientWidth = 100;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TMainForm::TMainForm(std::string commandLine)
    : ui_(std::make_unique<Ui::MainForm>()), commandLine_(std::move(commandLine)) {
    ui_->setupUi(this);
    setGeometry(QRect(kDesignedPosition, size()));
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
    route(ui_->KViewMethod, &TMainForm::KViewMethodClick);
    route(ui_->KViewInformation, &TMainForm::KViewInformationClick);
    route(ui_->KHelpHelp, &TMainForm::KHelpHelpClick);
    route(ui_->KHelpDeleteRegistry, &TMainForm::KHelpDeleteRegistryClick);
    route(ui_->KHelpCopyright, &TMainForm::KHelpCopyrightClick);
    route(ui_->KHelpVersion, &TMainForm::KHelpVersionClick);
}

TMainForm::~TMainForm() {
    if (PatternEngine == engine_.get())
        PatternEngine = nullptr;
    if (SourceBitmap == sourceBitmap_.get())
        SourceBitmap = nullptr;
    if (TemporaryFiles == temporaryPictures_.get()) {
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
    engine_ = std::make_unique<TSlanter>();
    PatternEngine = engine_.get();
    SourceName.clear();
    if (HasSwitch(commandLine_, "/REGISTRY")) {
        ui_->KHelpDeleteRegistry->setVisible(true);
        if (auto* separator = findChild<QAction*>(QStringLiteral("KHelpN2")))
            separator->setVisible(true);
    }
    if (!Japanese)
        SetEnglishCaptions();
    sourceBitmap_ = std::make_unique<THandyBitmap>();
    SourceBitmap = sourceBitmap_.get();
    temporaryPictures_ = std::make_unique<TemporaryPictures>(UserTemporaryLocation());
    TemporaryFiles = temporaryPictures_.get();
    WorkingFile = temporaryPictures_->WorkingFileName();
    show();
    raise();
    activateWindow();
    HideSplash();
    return true;
}

void TMainForm::SetEnglishCaptions() {
    ui_->KFile->setTitle(QStringLiteral("&File"));
    ui_->KFileOpen->setText(QStringLiteral("&Open Image File ..."));
    ui_->KFileClipboard->setText(QStringLiteral("Copy from &Clipboard"));
    ui_->KFileExit->setText(QStringLiteral("E&xit"));
    ui_->KView->setTitle(QStringLiteral("&View"));
    ui_->KViewMethod->setText(QStringLiteral("Show &Method Window"));
    ui_->KViewInformation->setText(QStringLiteral("Bitmap &Information ..."));
    ui_->KHelp->setTitle(QStringLiteral("&Help"));
    ui_->KHelpHelp->setText(QStringLiteral("&Help"));
    ui_->KHelpDeleteRegistry->setText(QStringLiteral("Delete Registry and Quit"));
    ui_->KHelpCopyright->setText(QStringLiteral("&Copyright Information ..."));
    ui_->KHelpVersion->setText(QStringLiteral("&Version Information ..."));
    OpenDialog1.filter = OpenDialogFilter(false);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (AConversionRuns()) {
        // The conversion reads the picture and the engine that the close frees: it stops
        // first, and the window closes once it has.
        StopConversions([window = QPointer<TMainForm>(this)] {
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
    sourceBitmap_.reset();
    TemporaryFiles = nullptr;
    WorkingFile.clear();
    temporaryPictures_.reset();
    PatternEngine = nullptr;
    engine_.reset();
}

void TMainForm::KFileOpenClick() {
    if (AConversionRuns()) {
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
    OpenChosenFile(QFile::encodeName(*chosen).toStdString());
}

void TMainForm::OpenChosenFile(const std::string& fileName) {
    if (!engine_)
        return;
    switch (KindOfChosenFile(fileName)) {
    case PictureFileKind::Bitmap:
        OpenBitmapFile(fileName);
        return;
    case PictureFileKind::Icon:
        OpenIconFile(fileName);
        return;
    case PictureFileKind::Other:
        Message(NotABitmapText(Japanese, fileName));
        return;
    }
}

void TMainForm::OpenBitmapFile(const std::string& fileName) {
    WriteSetting("Folder", "OpenPath", fileName);
    temporaryPictures_->Writing(WorkingFile);
    if (!CopyFileReplacing(fileName, WorkingFile)) {
        Message(CantCopyText(Japanese, fileName));
        return;
    }
    const DecodedPicture decoded = DecodePicture(WorkingFile);
    if (decoded.image.isNull()) {
        DecoderFailed(fileName, decoded.error);
        return;
    }
    const QImage picture = OnWhite(decoded.image);
    TakePicture(picture);
    if (sourceBitmap_->LoadFromFile(WorkingFile)) {
        SourceName = fileName;
        return;
    }
    if (sourceBitmap_->ErrorText() == bitmap_text::kCompressed) {
        // The platform reads what our reader does not: the working file becomes the
        // decoded picture, written uncompressed.
        if (!SaveWorkingFile(picture)) {
            ForgetPicture();
            Message(CantCopyText(Japanese, fileName));
            return;
        }
        LoadWorkingFile();
        SourceName = fileName;
        return;
    }
    const std::string errorText = sourceBitmap_->ErrorText();
    ForgetPicture();
    Message(InvalidFormatText(Japanese, fileName, errorText));
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
    LoadWorkingFile();
    SourceName = fileName;
}

void TMainForm::KFileClipboardClick() {
    if (!engine_)
        return;
    if (AConversionRuns()) {
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
    LoadWorkingFile();
    SourceName = name;
}

bool TMainForm::SaveWorkingFile(const QImage& picture) {
    temporaryPictures_->Writing(WorkingFile);
    return SaveAsBmp(picture, WorkingFile);
}

void TMainForm::TakePicture(const QImage& picture) {
    ui_->Image1->setPixmap(QPixmap::fromImage(picture));
    ui_->Image1->resize(picture.size());
    FitToImage();
    RefreshMethodWindow();
}

bool TMainForm::LoadWorkingFile() {
    if (sourceBitmap_->LoadFromFile(WorkingFile))
        return true;
    ForgetPicture();
    return false;
}

void TMainForm::ForgetPicture() {
    TSlanter fresh;
    fresh.SetHorizontal(engine_->Horizontal());
    fresh.SetRightUp(engine_->RightUp());
    fresh.SetSortOnAngle(engine_->SortOnAngle());
    *engine_ = fresh;
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
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    const QSize picture = ui_->Image1->size();
    QScrollArea& area = *ui_->ClientArea;
    // The client area is the whole scroll area. Its scroll bars stay out while the window
    // is fitted, or a bar shown at a step on the way would keep taking room at the end;
    // afterwards they show only what the window could not be made large enough for.
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Each pass changes the outer size by what the client lacks; the menu bar's height
    // may change with the width, so the passes repeat until both sides have settled.
    const auto widthPass = [&] {
        const int wanted = std::max(picture.width(), kLeastClientWidth);
        resize(width() + wanted - area.width(), height());
    };
    const auto heightPass = [&] { resize(width(), height() + picture.height() - area.height()); };
    widthPass();
    heightPass();
    widthPass();
    heightPass();
    heightPass();
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (engine_)
        engine_->SetSourceSize({picture.width(), picture.height()});
}

void TMainForm::KFileExitClick() {
    close();
}

void TMainForm::KViewMethodClick() {
    if (MethodForm != nullptr)
        MethodForm->BringToFront();
}

void TMainForm::KViewInformationClick() {
    const std::string text =
        SourceName.empty() || !sourceBitmap_
            ? NoPictureOpenedText(Japanese)
            : BitmapInformationText(Japanese, SourceName, sourceBitmap_->biWidth(),
                                    sourceBitmap_->biHeight(), sourceBitmap_->biBitCount());
    AppMessageBox(Text(text), kWarningBox, Text(BitmapInformationCaption(Japanese)));
}

void TMainForm::KHelpHelpClick() {
    ShowHelp();
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
    ShowGeneralError(QFile::decodeName(QByteArray::fromStdString(fileName)) +
                     QStringLiteral("\r\n") + reason);
}

void TMainForm::Message(const std::string& text) {
    AppMessageBox(Text(text), kWarningBox);
}

} // namespace slanter
