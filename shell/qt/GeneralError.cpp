#include "shell/qt/GeneralError.h"

#include "shell/qt/MessageBox.h"

namespace slanter {

void ShowGeneralError(const QString& text) {
    AppMessageBox(text, kErrorBox);
}

void ShowGeneralError(const std::exception& error) {
    ShowGeneralError(QString::fromStdString(error.what()));
}

bool RunGuarded(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& error) {
        ShowGeneralError(error);
    }
    return false;
}

} // namespace slanter
