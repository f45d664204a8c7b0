#include "shell/qt/GeneralError.h"

#include "shell/GuardedCommand.h"
#include "shell/qt/MessageBox.h"

namespace slanter {

void ShowGeneralError(const QString& text) {
    AppMessageBox(text, kErrorBox);
}

void ShowGeneralError(const std::exception& error) {
    ShowGeneralError(QString::fromStdString(error.what()));
}

bool RunGuarded(const std::function<void()>& command) {
    return RunReporting(
        command, [](const std::string& text) { ShowGeneralError(QString::fromStdString(text)); });
}

} // namespace slanter
