#include "shell/OpenDialog.h"

#include <utility>

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "shell/DialogFilter.h"

namespace slanter {

namespace {

OpenDialogRunner& CurrentRunner() {
    static OpenDialogRunner runner;
    return runner;
}

std::optional<QString> RunPlatformOpenDialog(QWidget* parent, const OpenDialogSettings& settings) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // The descriptions show as written; the patterns in the last parenthesis are ours.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList filters;
    for (const std::string& filter : DialogNameFilters(settings.filter))
        filters << QString::fromStdString(filter);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(settings.defaultSuffix);
    if (!settings.fileName.isEmpty()) {
        dialog.setDirectory(QFileInfo(settings.fileName).absolutePath());
        dialog.selectFile(settings.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace

std::optional<QString> RunOpenDialog(QWidget* parent, const OpenDialogSettings& settings) {
    const OpenDialogRunner& runner = CurrentRunner();
    return runner ? runner(parent, settings) : RunPlatformOpenDialog(parent, settings);
}

OpenDialogRunner SetOpenDialogRunner(OpenDialogRunner runner) {
    return std::exchange(CurrentRunner(), std::move(runner));
}

} // namespace slanter
