#include "shell/qt/OpenDialog.h"

#include <utility>

#include <QFileDialog>
#include <QFileInfo>

#include "shell/qt/FileDialogFilters.h"

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
    SetUpFileDialog(dialog, settings.filter, settings.defaultSuffix);
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
