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

// The extension of a filter "Text (*.ext)" with one pattern; `fallback` for any other.
QString SuffixOfFilter(const QString& filter, const QString& fallback) {
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    const QString patterns = filter.mid(open + 1).chopped(filter.endsWith(QLatin1Char(')')));
    const QString suffix = patterns.mid(2);
    const bool one = patterns.startsWith(QStringLiteral("*.")) && !suffix.isEmpty() &&
                     !suffix.contains(QLatin1Char('*')) && !suffix.contains(QLatin1Char(' '));
    return one ? suffix : fallback;
}

std::optional<QString> RunPlatformSaveDialog(QWidget* parent, const SaveDialogSettings& settings) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    SetFileDialogFilters(dialog, settings.filter, settings.defaultSuffix);
    // A name typed without an extension takes the chosen filter's ("*.png" gives png);
    // a filter of every file leaves the default.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, &settings](const QString& filter) {
                         dialog.setDefaultSuffix(SuffixOfFilter(filter, settings.defaultSuffix));
                     });
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
