#pragma once

#include <string>

#include <QString>

class QFileDialog;

namespace slanter {

// Gives a file dialog the filter list (description|pattern pairs) and default suffix
// the program's dialogs use, the descriptions shown as written.
void SetFileDialogFilters(QFileDialog& dialog, const std::string& filter,
                          const QString& defaultSuffix);

} // namespace slanter
