#include "shell/win32/Win32Services.h"

#include "bitmap/HandyBitmap.h"
#include "bitmap/PictureDecoder.h"
#include "bitmap/TransparentCopy.h"
#include "shell/General.h"
#include "shell/win32/BackgroundWork.h"
#include "shell/win32/Clipboard.h"
#include "shell/win32/FileDialogs.h"
#include "shell/win32/Help.h"
#include "shell/win32/IconPicture.h"
#include "shell/win32/MessageBox.h"
#include "shell/win32/PictureSizeDialog.h"
#include "shell/win32/Wnd.h"

namespace slanter {

namespace {

FileDialogSettings SettingsOf(const FileDialogRequest& request) {
    return {request.fileName, request.folder, request.filter, request.defaultExtension};
}

} // namespace

int Win32Services::Message(const std::string& text, int flags, const std::string& caption) {
    return AppMessageBox(text, flags, caption);
}

std::optional<std::string> Win32Services::ChooseOpenFile(const FileDialogRequest& request) {
    return RunOpenDialog(owner_, SettingsOf(request));
}

std::optional<std::string> Win32Services::ChooseSaveFile(const FileDialogRequest& request) {
    return RunSaveDialog(owner_, SettingsOf(request));
}

std::optional<TPoint> Win32Services::AskPictureSize(TPoint original, TPoint current) {
    return slanter::AskPictureSize(owner_, Japanese, original, current);
}

ClipboardPicture Win32Services::PasteBitmap(const std::string& bmpFile) {
    const auto dib = ClipboardDib();
    if (!dib)
        return ClipboardPicture::None;
    return SaveDibAsBmp(*dib, bmpFile) ? ClipboardPicture::Written : ClipboardPicture::NotWritten;
}

void Win32Services::CopyBitmapFile(const std::string& bmpFile) {
    // The file's own bitmap, its colour table with it.
    const PackedDib dib = DibOfBmpFileNamed(bmpFile);
    if (dib.empty())
        return;
    // Beside it, a result with clear parts as one with opacity.
    THandyBitmap result;
    PutClipboardDibs(dib, ReadTransparentResult(bmpFile, result) ? DibV5Of(result) : PackedDib());
}

std::string Win32Services::WriteIconFile(const std::string& iconFile, const std::string& bmpFile) {
    THandyBitmap icon;
    if (!DecodeIconFile(iconFile, StandardIconSize(), icon))
        return Japanese ? "アイコンを読めません。" : "The icon can't be read.";
    return icon.SaveToFile(bmpFile) ? std::string() : std::string(kBmpFileNotWritten);
}

std::vector<std::string> Win32Services::PictureFormats(bool writable) {
    // Our reader and writer always hold BMP; icons come through the system.
    if (writable)
        return {"bmp"};
    std::vector<std::string> formats = DecodedExtensions();
    formats.push_back("bmp");
    formats.push_back("ico");
    return formats;
}

std::string
Win32Services::RunInBackground(const std::function<std::string(BackgroundControl&)>& work) {
    return RunInBackgroundOf(owner_, Japanese ? "キャンセル" : "Cancel", work);
}

void Win32Services::ProcessPendingMessages() {
    slanter::ProcessPendingMessages();
}

void Win32Services::ShowHelp() {
    slanter::ShowHelp(owner_);
}

} // namespace slanter
