#include "shell/qt/SaveDialog.h"

#include <utility>

#include <QFileDialog>

#include "shell/qt/FileDialogFilters.h"

namespace slanter {

namespace {

SaveDialogRunner& CurrentRunner() {
    static SaveDialogRunner runner;
    return runner;
}

std::optional<QString> RunPlatformSaveDialog(QWidget* parent, const SaveDialogSettings& settings) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    SetFileDialogFilters(dialog, settings.filter, settings.defaultSuffix);
    if (!settings.folder.isEmpty())
        dialog.setDirectory(settings.folder);
    dialog.selectFile(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace

std::optional<QString> RunSaveDialog(QWidget* parent, const SaveDialogSettings& settings) {
    const SaveDialogRunner& runner = CurrentRunner();
    return runner ? runner(parent, settings) : RunPlatformSaveDialog(parent, settings);
}

SaveDialogRunner SetSaveDialogRunner(SaveDialogRunner runner) {
    return std::exchange(CurrentRunner(), std::move(runner));
}

} // namespace slanter
