#include "shell/qt/QtServices.h"

#include <QFile>
#include <QMainWindow>

#include "bitmap/TransparentCopy.h"
#include "shell/General.h"
#include "shell/qt/BackgroundSave.h"
#include "shell/qt/Clipboard.h"
#include "shell/qt/Help.h"
#include "shell/qt/MessageBox.h"
#include "shell/qt/OpenDialog.h"
#include "shell/qt/PendingMessages.h"
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

int QtServices::Message(const std::string& text, int flags, const std::string& caption) {
    return AppMessageBox(Text(text), flags, Text(caption));
}

std::optional<std::string> QtServices::ChooseOpenFile(const FileDialogRequest& request) {
    // The round trip through QString is exact for every name the dialog can offer: Qt's
    // directory listing leaves out names that are no text in the system's encoding.
    return FileNameBytes(RunOpenDialog(
        &owner_, {FileNameText(request.fileName), request.filter, Text(request.defaultExtension)}));
}

std::optional<std::string> QtServices::ChooseSaveFile(const FileDialogRequest& request) {
    return FileNameBytes(RunSaveDialog(
        &owner_, {FileNameText(request.folder), request.filter, Text(request.defaultExtension)}));
}

std::optional<TPoint> QtServices::AskPictureSize(TPoint original, TPoint current) {
    return slanter::AskPictureSize(&owner_, Japanese, original, current);
}

ClipboardPicture QtServices::PasteBitmap(const std::string& bmpFile) {
    const auto bitmap = ClipboardBitmap();
    if (!bitmap)
        return ClipboardPicture::None;
    return SaveAsBmp(OnWhite(*bitmap), bmpFile) ? ClipboardPicture::Written
                                                : ClipboardPicture::NotWritten;
}

void QtServices::CopyBitmapFile(const std::string& bmpFile) {
    const ReadBackPicture picture = ReadResultPicture(bmpFile);
    if (picture.image.isNull())
        return;
    const std::vector<std::uint8_t> png = TransparentResultPng(bmpFile);
    PutClipboardPicture(picture.image, QByteArray(reinterpret_cast<const char*>(png.data()),
                                                  static_cast<qsizetype>(png.size())));
}

std::string QtServices::WriteIconFile(const std::string& iconFile, const std::string& bmpFile) {
    const DecodedPicture icon = DecodeIcon(iconFile, StandardIconSize());
    if (icon.image.isNull())
        return icon.error.toStdString();
    return SaveAsBmp(icon.image, bmpFile) ? std::string() : std::string(kBmpFileNotWritten);
}

std::vector<std::string> QtServices::PictureFormats(bool writable) {
    return slanter::PictureFormats(writable);
}

std::string
QtServices::RunInBackground(const std::function<std::string(BackgroundControl&)>& work) {
    auto* window = qobject_cast<QMainWindow*>(&owner_);
    if (window == nullptr) {
        BackgroundControl control;
        return work(control);
    }
    return RunSaveInBackground(
        *window, Japanese ? QStringLiteral("キャンセル") : QStringLiteral("Cancel"), work);
}

void QtServices::ProcessPendingMessages() {
    slanter::ProcessPendingMessages();
}

void QtServices::ShowHelp() {
    slanter::ShowHelp(&owner_);
}

} // namespace slanter
