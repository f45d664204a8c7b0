#include "shell/qt/FileDialogFilters.h"

#include <algorithm>

#include <QFileDialog>
#include <QHeaderView>
#include <QStringList>
#include <QTreeView>

#include "shell/DialogFilter.h"

namespace slanter {

namespace {

// Characters across the dialog: a long file name, a size, a kind and a date.
constexpr int kDialogColumnsChars = 110;

} // namespace

void SetUpFileDialog(QFileDialog& dialog, const std::string& filter, const QString& defaultSuffix) {
    // The descriptions show as written; the patterns in the last parenthesis are ours.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList filters;
    for (const std::string& one : DialogNameFilters(filter))
        filters << QString::fromStdString(one);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(defaultSuffix);
    // The detail list's columns take the width of their longest entry.
    auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (list == nullptr || list->header() == nullptr)
        return;
    QHeaderView& header = *list->header();
    for (int column = 0; column < header.count(); ++column)
        header.setSectionResizeMode(column, QHeaderView::ResizeToContents);
    header.setStretchLastSection(true);
    // Room for a long name beside the size, the kind and the date; what does not fit
    // scrolls, rather than being cut.
    const int wanted = header.fontMetrics().averageCharWidth() * kDialogColumnsChars;
    dialog.resize(std::max(dialog.width(), wanted), dialog.height());
}

} // namespace slanter
