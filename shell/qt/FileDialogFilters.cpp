#include "shell/qt/FileDialogFilters.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QStringList>
#include <QTreeView>

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

void FitFileDialogColumns(QFileDialog& dialog) {
    auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (list == nullptr || list->header() == nullptr)
        return;
    QHeaderView& header = *list->header();
    header.setStretchLastSection(false);
    header.setMinimumSectionSize(header.fontMetrics().averageCharWidth() * 4);
    for (int column = 0; column < header.count(); ++column)
        header.setSectionResizeMode(column, column == 0 ? QHeaderView::Stretch
                                                        : QHeaderView::ResizeToContents);
}

} // namespace slanter
