#include "shell/win32/Win32Services.h"

#include <shellapi.h>

#include "bitmap/DibV5.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/PictureDecoder.h"
#include "bitmap/TransparentCopy.h"
#include "shell/FileFound.h"
#include "shell/General.h"
#include "shell/InfoTexts.h"
#include "shell/win32/BackgroundWork.h"
#include "shell/win32/Clipboard.h"
#include "shell/win32/FileDialogs.h"
#include "shell/win32/IconPicture.h"
#include "shell/win32/MessageBox.h"
#include "shell/win32/PictureSizeDialog.h"
#include "shell/win32/WideText.h"
#include "shell/win32/Wnd.h"

namespace slanter {

namespace {

FileDialogSettings SettingsOf(const FileDialogRequest& request) {
    return {request.fileName, request.folder, request.filter, request.defaultExtension};
}

} // namespace

template <typename Owner>
int WindowServices<Owner>::Message(const std::string& text, int flags, const std::string& caption) {
    return AppMessageBox(text, flags, caption);
}

template <typename Owner>
std::optional<std::string> WindowServices<Owner>::ChooseOpenFile(const FileDialogRequest& request) {
    return RunOpenDialog(owner_, SettingsOf(request));
}

template <typename Owner>
std::optional<std::string> WindowServices<Owner>::ChooseSaveFile(const FileDialogRequest& request) {
    return RunSaveDialog(owner_, SettingsOf(request));
}

template <typename Owner>
ClipboardPicture WindowServices<Owner>::PasteBitmap(const std::string& bmpFile) {
    const auto dib = ClipboardDib();
    if (!dib)
        return ClipboardPicture::None;
    return SaveDibAsBmp(*dib, bmpFile) ? ClipboardPicture::Written : ClipboardPicture::NotWritten;
}

template <typename Owner>
void WindowServices<Owner>::CopyBitmapFile(const std::string& bmpFile) {
    // The file's own bitmap, its colour table with it.
    const PackedDib dib = DibOfBmpFileNamed(bmpFile);
    if (dib.empty())
        return;
    // Beside it, a result with clear parts as one with opacity.
    THandyBitmap result;
    PutClipboardDibs(dib, ReadTransparentResult(bmpFile, result) ? DibV5Of(result) : PackedDib());
}

template <typename Owner>
std::string WindowServices<Owner>::WriteIconFile(const std::string& iconFile,
                                                 const std::string& bmpFile, bool onWhite) {
    THandyBitmap icon;
    if (!DecodeIconFile(iconFile, StandardIconSize(), onWhite, icon))
        return Japanese ? "アイコンを読めません。" : "The icon can't be read.";
    return icon.SaveToFile(bmpFile) ? std::string() : std::string(kBmpFileNotWritten);
}

template <typename Owner>
TPoint WindowServices<Owner>::ScreenSize() {
    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    if (!GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return {};
    return {monitor.rcMonitor.right - monitor.rcMonitor.left,
            monitor.rcMonitor.bottom - monitor.rcMonitor.top};
}

template <typename Owner>
std::vector<std::string> WindowServices<Owner>::PictureFormats(bool writable) {
    // Our writer holds BMP; the decoder's list holds our reader's BMP and the icons.
    return writable ? std::vector<std::string>{"bmp"} : DecodedExtensions();
}

template <typename Owner>
std::string
WindowServices<Owner>::RunInBackground(const std::function<std::string(BackgroundControl&)>& work) {
    return RunInBackgroundOf(owner_, Japanese ? "キャンセル" : "Cancel", work);
}

template <typename Owner>
void WindowServices<Owner>::ShowHelp() {
    if (!FileFound(HelpFileName)) {
        AppMessageBox(HelpNotFoundText(Japanese, HelpFileName), kWarningBox);
        return;
    }
    // A viewer that fails to start is not reported, as with any other help viewer.
    ShellExecuteW(owner_, L"open", WideText(HelpFileName).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The members above serve this front end's windows only.
template class WindowServices<HWND>;

} // namespace slanter
