#pragma once

#include <functional>
#include <optional>
#include <string>

#include <windows.h>

namespace slanter {

// What an open or save dialog starts with.
struct FileDialogSettings {
    std::string fileName; // the name first shown (open); empty for none
    std::string folder;   // the folder first shown (save); empty for the system's choice
    std::string filter;   // description|pattern pairs, patterns separated by ';'
    std::string defaultExtension;
};

// The common dialogs: the chosen file's full name, or nothing when the user cancels.
std::optional<std::string> RunOpenDialog(HWND owner, const FileDialogSettings& settings);
std::optional<std::string> RunSaveDialog(HWND owner, const FileDialogSettings& settings);

// Puts `runner` in place of both dialogs (tests; `save` tells which is asked for) and
// answers the one it replaces; an empty runner brings the system's dialogs back.
using FileDialogRunner =
    std::function<std::optional<std::string>(bool save, const FileDialogSettings& settings)>;
FileDialogRunner SetFileDialogRunner(FileDialogRunner runner);

} // namespace slanter
