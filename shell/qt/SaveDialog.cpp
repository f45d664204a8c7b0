#include "shell/qt/SaveDialog.h"

#include <utility>

#include <QFileDialog>

#include "shell/DialogFilter.h"
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
    SetUpFileDialog(dialog, settings.filter, settings.defaultSuffix);
    // A name typed without an extension takes the chosen filter's ("*.png" gives png);
    // a filter of every file leaves the default.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, &settings](const QString& filter) {
                         dialog.setDefaultSuffix(QString::fromStdString(DialogEntrySuffix(
                             filter.toStdString(), settings.defaultSuffix.toStdString())));
                     });
    if (!settings.folder.isEmpty())
        dialog.setDirectory(settings.folder);
    // The entry of the offered name's format, whose suffix a name typed anew takes.
    const QStringList entries = dialog.nameFilters();
    const int place = FilterPlaceOf(settings.filter, settings.defaultSuffix.toStdString());
    if (place < entries.size()) {
        dialog.selectNameFilter(entries[place]);
        dialog.setDefaultSuffix(QString::fromStdString(
            DialogEntrySuffix(entries[place].toStdString(), settings.defaultSuffix.toStdString())));
    }
    dialog.selectFile(settings.fileName);
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
