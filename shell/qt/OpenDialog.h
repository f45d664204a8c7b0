#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QString>

class QWidget;

namespace slanter {

// What an open-file dialog is set up with. The chosen file must exist, in a folder that
// exists; there is no read-only box.
struct OpenDialogSettings {
    QString fileName;      // preselected, in its folder; empty for none
    std::string filter;    // description|pattern|..., see DialogNameFilters
    QString defaultSuffix; // added to a typed name that has no extension
};

// Runs the dialog; the chosen file's full name, or nothing when it was cancelled.
std::optional<QString> RunOpenDialog(QWidget* parent, const OpenDialogSettings& settings);

// Puts `runner` in place of the platform's dialog (tests) and answers the one it
// replaces; an empty runner brings the platform's back.
using OpenDialogRunner =
    std::function<std::optional<QString>(QWidget* parent, const OpenDialogSettings& settings)>;
OpenDialogRunner SetOpenDialogRunner(OpenDialogRunner runner);

} // namespace slanter
