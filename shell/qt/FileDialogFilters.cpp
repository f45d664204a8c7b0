#include "shell/qt/FileDialogFilters.h"

#include <QFileDialog>
#include <QStringList>

#include "shell/DialogFilter.h"

namespace slanter {

void SetFileDialogFilters(QFileDialog& dialog, const std::string& filter,
                          const QString& defaultSuffix) {
    // The descriptions show as written; the patterns in the last parenthesis are ours.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList filters;
    for (const std::string& one : DialogNameFilters(filter))
        filters << QString::fromStdString(one);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(defaultSuffix);
}

} // namespace slanter
