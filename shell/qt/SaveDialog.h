#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QString>

class QWidget;

namespace slanter {

// What a save-file dialog is set up with. It asks before a file is replaced, the chosen
// folder must exist, the name is typed in an edit field and there is no read-only box.
struct SaveDialogSettings {
    QString folder;        // where it opens; empty for the platform's choice
    QString fileName;      // the name offered in it; empty for none
    std::string filter;    // description|pattern|..., see DialogNameFilters
    QString defaultSuffix; // added to a typed name that has no extension
};

// Runs the dialog; the chosen file's full name, or nothing when it was cancelled.
std::optional<QString> RunSaveDialog(QWidget* parent, const SaveDialogSettings& settings);

// Puts `runner` in place of the platform's dialog (tests) and answers the one it
// replaces; an empty runner brings the platform's back.
using SaveDialogRunner =
    std::function<std::optional<QString>(QWidget* parent, const SaveDialogSettings& settings)>;
SaveDialogRunner SetSaveDialogRunner(SaveDialogRunner runner);

} // namespace slanter
