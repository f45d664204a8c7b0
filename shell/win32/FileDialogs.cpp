#include "shell/win32/FileDialogs.h"

#include <commdlg.h>

#include <utility>

#include "shell/DialogFilter.h"
#include "shell/win32/WideText.h"

namespace slanter {

namespace {

FileDialogRunner& CurrentRunner() {
    static FileDialogRunner runner;
    return runner;
}

// "description|pattern|..." as the dialog takes it: each part ended by a null, the whole
// by a second one.
std::wstring SystemFilter(const std::string& filter) {
    std::wstring wide = WideText(filter);
    for (wchar_t& c : wide)
        if (c == L'|')
            c = L'\0';
    wide.push_back(L'\0');
    wide.push_back(L'\0');
    return wide;
}

std::optional<std::string> RunSystemDialog(HWND owner, const FileDialogSettings& settings,
                                           bool save) {
    std::wstring name = WideText(settings.fileName);
    name.resize(32768, L'\0');
    const std::wstring filter = SystemFilter(settings.filter);
    const std::wstring folder = WideText(settings.folder);
    const std::wstring extension = WideText(settings.defaultExtension);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    // The entry of the offered name's format (counted from 1).
    dialog.nFilterIndex = static_cast<DWORD>(
        save ? FilterPlaceOf(settings.filter, settings.defaultExtension) + 1 : 1);
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen)
        return std::nullopt;
    return Utf8Text(name.c_str());
}

} // namespace

std::optional<std::string> RunOpenDialog(HWND owner, const FileDialogSettings& settings) {
    if (const FileDialogRunner& runner = CurrentRunner())
        return runner(false, settings);
    return RunSystemDialog(owner, settings, false);
}

std::optional<std::string> RunSaveDialog(HWND owner, const FileDialogSettings& settings) {
    if (const FileDialogRunner& runner = CurrentRunner())
        return runner(true, settings);
    return RunSystemDialog(owner, settings, true);
}

FileDialogRunner SetFileDialogRunner(FileDialogRunner runner) {
    return std::exchange(CurrentRunner(), std::move(runner));
}

} // namespace slanter
