#include "shell/qt/QtServices.h"

#include <QFile>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

#include "bitmap/TransparentCopy.h"
#include "shell/General.h"
#include "shell/qt/BackgroundSave.h"
#include "shell/qt/Clipboard.h"
#include "shell/qt/Help.h"
#include "shell/qt/MessageBox.h"
#include "shell/qt/OpenDialog.h"
#include "shell/qt/PictureFiles.h"
#include "shell/qt/PictureSizeDialog.h"
#include "shell/qt/ResultPicture.h"
#include "shell/qt/SaveDialog.h"

namespace slanter {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// File names are bytes; the dialogs speak in the system's encoding of them.
QString FileNameText(const std::string& fileName) {
    return QFile::decodeName(QByteArray::fromStdString(fileName));
}

std::string FileNameBytes(const QString& fileName) {
    return QFile::encodeName(fileName).toStdString();
}

std::optional<std::string> FileNameBytes(const std::optional<QString>& chosen) {
    if (!chosen)
        return std::nullopt;
    return FileNameBytes(*chosen);
}

} // namespace

template <typename Owner>
int WindowServices<Owner>::Message(const std::string& text, int flags, const std::string& caption) {
    return AppMessageBox(Text(text), flags, Text(caption));
}

template <typename Owner>
std::optional<std::string> WindowServices<Owner>::ChooseOpenFile(const FileDialogRequest& request) {
    // The round trip through QString is exact for every name the dialog can offer: Qt's
    // directory listing leaves out names that are no text in the system's encoding.
    return FileNameBytes(RunOpenDialog(
        owner_, {FileNameText(request.fileName), request.filter, Text(request.defaultExtension)}));
}

template <typename Owner>
std::optional<std::string> WindowServices<Owner>::ChooseSaveFile(const FileDialogRequest& request) {
    return FileNameBytes(
        RunSaveDialog(owner_, {FileNameText(request.folder), FileNameText(request.fileName),
                               request.filter, Text(request.defaultExtension)}));
}

template <typename Owner>
ClipboardPicture WindowServices<Owner>::PasteBitmap(const std::string& bmpFile) {
    const auto bitmap = ClipboardBitmap();
    if (!bitmap)
        return ClipboardPicture::None;
    return SaveAsBmp(OnWhite(*bitmap), bmpFile) ? ClipboardPicture::Written
                                                : ClipboardPicture::NotWritten;
}

template <typename Owner>
void WindowServices<Owner>::CopyBitmapFile(const std::string& bmpFile) {
    const ReadBackPicture picture = ReadResultPicture(bmpFile);
    if (picture.image.isNull())
        return;
    const std::vector<std::uint8_t> png = TransparentResultPng(bmpFile);
    PutClipboardPicture(picture.image, QByteArray(reinterpret_cast<const char*>(png.data()),
                                                  static_cast<qsizetype>(png.size())));
}

template <typename Owner>
std::string WindowServices<Owner>::WriteIconFile(const std::string& iconFile,
                                                 const std::string& bmpFile, bool onWhite) {
    const DecodedPicture icon = DecodeIcon(iconFile, StandardIconSize(), onWhite);
    if (icon.image.isNull())
        return icon.error.toStdString();
    return SaveAsBmp(icon.image, bmpFile) ? std::string() : std::string(kBmpFileNotWritten);
}

template <typename Owner>
TPoint WindowServices<Owner>::ScreenSize() {
    const QScreen* screen = owner_ != nullptr ? owner_->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    // In the display's own pixels, as a wallpaper is laid.
    const QSize size = screen->size() * screen->devicePixelRatio();
    return {size.width(), size.height()};
}

template <typename Owner>
std::vector<std::string> WindowServices<Owner>::PictureFormats(bool writable) {
    return slanter::PictureFormats(writable);
}

template <typename Owner>
std::string
WindowServices<Owner>::RunInBackground(const std::function<std::string(BackgroundControl&)>& work) {
    auto* window = qobject_cast<QMainWindow*>(owner_);
    if (window == nullptr) {
        BackgroundControl control;
        return work(control);
    }
    return RunSaveInBackground(
        *window, Japanese ? QStringLiteral("キャンセル") : QStringLiteral("Cancel"), work);
}

template <typename Owner>
void WindowServices<Owner>::ShowHelp() {
    slanter::ShowHelp(owner_);
}

// The members above serve this front end's windows only.
template class WindowServices<QWidget*>;

} // namespace slanter
